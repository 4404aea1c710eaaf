#include <gtest/gtest.h>

#include <set>

#include "adapters/headless/headless_application.h"
#include "rating/rating_keys.h"
#include "rating/review_url.h"
#include "rating/store_config.h"
#include "rating/store_links.h"
#include "rating_fixture.h"
#include "view/action_names.h"

namespace strumwise::rating::testing {
namespace {

TEST(ReviewUrl, TemplateFollowsTheSystemVersionAndEveryPlaceholderIsReplaced) {
    const std::string old =
        "itms-apps://itunes.apple.com/WebObjects/MZStore.woa/wa/"
        "viewContentsUserReviews?type=Purple+Software&id=42";
    const std::string app = "itms-apps://apps.apple.com/app/id42";
    const std::string latest =
        "itms-apps://apps.apple.com/WebObjects/MZStore.woa/wa/viewContentsUserReviews?id=42&"
        "onlyLatestVersion=true&pageNumber=0&sortOrdering=1&type=Purple+Software";
    const std::pair<double, const std::string&> table[] = {
        {6.1, old}, {7.0, app}, {7.9, app}, {8.0, latest}, {17.2, latest}};
    for (const auto& [version, url] : table) {
        EXPECT_EQ(reviewUrl("42", version), url) << version;
    }
    EXPECT_EQ(replaceAppId("APP_ID/APP_IDxAPP_ID", "7"), "7/7x7");
    EXPECT_EQ(replaceAppId("APP_ID", "APP_ID"), "APP_ID") << "the identifier is not rescanned";
}

class RateApp : public RatingTest {
  protected:
    RateApp() {
        store.ratedAtRequest = [this] { return defaults().boolForKey(kRatedCurrentVersionKey); };
    }
};

// Even where a product page exists: the platform's own review request wherever there is one
// (the version marked rated before it), else the review address when sent to the store.
TEST_F(RateApp, ReviewRequestIsTheOnlyRouteWhereItExistsElseTheStoreIfSentThere) {
    store.reviewRequest = true;
    store.productPage = true;
    prompt().setOpenInAppStore(false);
    RatingPrompt::rateApp(prompt());
    EXPECT_EQ(store.requests, std::vector<bool>{true});
    EXPECT_EQ(tracedCount("openURL"), 0);

    store.reviewRequest = false;
    prompt().setOpenInAppStore(true);
    RatingPrompt::rateApp(prompt());
    EXPECT_TRUE(traced("0.000 openURL \"" + reviewUrl("1163842075", 17.2) + "\""));
    EXPECT_EQ(store.requests.size(), 1u);
}

TEST_F(RateApp, OpenInStoreDefaultsToTheSystemVersionAtCreation) {
    for (const auto& [version, open] : {std::pair{"6.1.3", false}, {"7.0", true}}) {
        headless.device().setSystemVersion(version);
        EXPECT_EQ(RatingPrompt(services(), settings).openInAppStore(), open) << version;
    }
}

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
}  // namespace strumwise::rating::testing
