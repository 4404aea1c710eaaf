#include <gtest/gtest.h>

#include <set>

#include "adapters/headless/headless_application.h"
#include "rating/store_config.h"
#include "rating/store_links.h"
#include "view/action_names.h"

namespace strumwise::rating {
namespace {

TEST(StoreLinks, EachLinkActionOpensItsOwnAddressAndOthersOpenNothing) {
    platform::headless::HeadlessApplication application;
    StoreLinks links(application);
    EXPECT_FALSE(links.sendAction(view::kStopAction));
    EXPECT_FALSE(links.sendAction("openGuitarTuner"));
    EXPECT_TRUE(application.openedURLs().empty());

    EXPECT_TRUE(links.sendAction(view::kMakerSiteAction));
    EXPECT_TRUE(links.sendAction(view::kReviewAction));
    for (const std::string_view action : view::kSiblingAppActions) {
        EXPECT_TRUE(links.sendAction(action)) << action;
    }
    const std::vector<std::string>& urls = application.openedURLs();
    ASSERT_EQ(urls.size(), 14u);
    EXPECT_EQ(urls[0], "http://www.vornhaltlabs.com/");
    EXPECT_EQ(urls[1], "itms-apps://apps.apple.com/app/id1163842075?action=write-review");
    EXPECT_EQ(urls[2], "https://apps.apple.com/app/id1163840112");
    EXPECT_EQ(std::set<std::string>(urls.begin(), urls.end()).size(), 14u) << "no two alike";
    for (auto url = urls.begin() + 2; url != urls.end(); ++url) {
        EXPECT_TRUE(url->starts_with("https://apps.apple.com/app/id")) << *url;
        EXPECT_NE(*url, "https://apps.apple.com/app/id" + std::string(kAppStoreId));
    }
}

}  // namespace
}  // namespace strumwise::rating
