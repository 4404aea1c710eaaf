#include <gtest/gtest.h>

#include "rating/rating_keys.h"
#include "rating/review_url.h"
#include "rating_fixture.h"

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
        settings.setAppId("1163842075");
        store.ratedAtRequest = [this] { return defaults().boolForKey(kRatedCurrentVersionKey); };
    }
};

TEST_F(RateApp, PlatformReviewRequestIsTheOnlyRouteWhereItExists) {
    store.reviewRequest = true;
    store.productPage = true;
    prompt().setOpenInAppStore(false);
    RatingPrompt::rateApp(prompt());

    EXPECT_EQ(store.requests, std::vector<bool>{true}) << "marked rated before the request";
    EXPECT_TRUE(store.pages.empty());
    EXPECT_EQ(tracedCount("openURL"), 0);
}

TEST_F(RateApp, OpenInStoreTakesTheReviewUrlEvenWhereAProductPageExists) {
    store.productPage = true;
    prompt().setOpenInAppStore(true);
    RatingPrompt::rateApp(prompt());

    EXPECT_TRUE(traced("0.000 defaults set kRatingPromptRatedCurrentVersion 1"));
    EXPECT_TRUE(traced("0.000 openURL \"" + reviewUrl("1163842075", 17.2) + "\""));
    EXPECT_TRUE(store.pages.empty());
}

TEST_F(RateApp, OpenInStoreDefaultsToTheSystemVersionAtCreation) {
    for (const auto& [version, open] : {std::pair{"6.1.3", false}, {"7.0", true}}) {
        headless.device().setSystemVersion(version);
        EXPECT_EQ(RatingPrompt(services(), settings).openInAppStore(), open) << version;
    }
}

TEST_F(RateApp, ProductPageOpensAndClosesWhenNotSentToTheStoreAndNeedsSomewhereToAppear) {
    store.productPage = true;
    settings.setUsesAnimation(false);
    prompt().setOpenInAppStore(false);
    const auto delegate = std::make_shared<RecordingDelegate>();
    prompt().setDelegate(delegate);
    RatingPrompt::rateApp(prompt());

    ASSERT_EQ(store.pages.size(), 1u);
    FakeProductPage& page = *store.pages[0];
    EXPECT_EQ(page.loadedItem, 1163842075);
    EXPECT_EQ(views.rootController().presentedViewController(), &page);
    EXPECT_TRUE(settings.modalOpen()) << "once the presentation has completed";
    EXPECT_EQ(tracedCount("openURL"), 0);

    page.finish();
    EXPECT_FALSE(settings.modalOpen());
    EXPECT_EQ(page.dismissedAnimated, false);
    EXPECT_EQ(delegate->calls, (std::vector<std::string>{"willPresentModal", "didDismissModal"}));

    page.finish();
    EXPECT_EQ(delegate->calls.size(), 2u) << "closing what is closed does nothing";

    // Something up that presents nothing: the next page has nowhere to appear.
    settings.setAppId("not a number");
    views.rootController().presentViewController(std::make_shared<FakeViewController>(), false,
                                                 nullptr);
    RatingPrompt::rateApp(prompt());
    ASSERT_EQ(store.pages.size(), 2u);
    EXPECT_EQ(store.pages[1]->loadedItem, 0) << "a non-numeric identifier is item 0";
    EXPECT_FALSE(settings.modalOpen());
}

}  // namespace
}  // namespace strumwise::rating::testing
