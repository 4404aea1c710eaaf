#include <gtest/gtest.h>

#include <set>

#include "platform/headless/headless_application.h"
#include "rating/store_config.h"
#include "rating/store_links.h"
#include "screen/action_names.h"

namespace strumwise::rating {
namespace {

TEST(StoreLinks, MakerAndReviewLinksOpenTheirFixedAddresses) {
    platform::headless::HeadlessApplication application;
    StoreLinks links(application);

    EXPECT_TRUE(links.sendAction(screen::kMakerSiteAction));
    EXPECT_TRUE(links.sendAction(screen::kReviewAction));

    EXPECT_EQ(application.openedURLs(),
              (std::vector<std::string>{
                  "http://www.vornhaltlabs.com/",
                  "itms-apps://apps.apple.com/app/id1163842075?action=write-review"}));
}

TEST(StoreLinks, EverySiblingActionOpensItsOwnStorePage) {
    platform::headless::HeadlessApplication application;
    StoreLinks links(application);

    for (const std::string_view action : screen::kSiblingAppActions) {
        EXPECT_TRUE(links.sendAction(action)) << action;
    }

    const std::vector<std::string>& urls = application.openedURLs();
    ASSERT_EQ(urls.size(), 12u);
    EXPECT_EQ(urls[0], "https://apps.apple.com/app/id1163840112");
    EXPECT_EQ(std::set<std::string>(urls.begin(), urls.end()).size(), 12u) << "no two alike";
    for (const std::string& url : urls) {
        EXPECT_TRUE(url.starts_with("https://apps.apple.com/app/id")) << url;
        EXPECT_NE(url, "https://apps.apple.com/app/id" + std::string(kAppStoreId));
    }
}

TEST(StoreLinks, OtherActionsOpenNothing) {
    platform::headless::HeadlessApplication application;
    StoreLinks links(application);

    EXPECT_FALSE(links.sendAction(screen::kStopAction));
    EXPECT_FALSE(links.sendAction("openGuitarTuner"));
    EXPECT_TRUE(application.openedURLs().empty());
}

}  // namespace
}  // namespace strumwise::rating
