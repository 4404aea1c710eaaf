#include <gtest/gtest.h>

#include "rating/rating_keys.h"
#include "rating/review_url.h"
#include "rating/store_config.h"
#include "rating_fixture.h"

namespace strumwise::rating::testing {
namespace {

TEST(ReviewUrl, TemplateFollowsTheSystemVersion) {
    EXPECT_EQ(reviewUrl("42", 6.1),
              "itms-apps://itunes.apple.com/WebObjects/MZStore.woa/wa/"
              "viewContentsUserReviews?type=Purple+Software&id=42");
    EXPECT_EQ(reviewUrl("42", 7.0), "itms-apps://apps.apple.com/app/id42");
    EXPECT_EQ(reviewUrl("42", 7.9), "itms-apps://apps.apple.com/app/id42");
    const std::string latest =
        "itms-apps://apps.apple.com/WebObjects/MZStore.woa/wa/viewContentsUserReviews?id=42&"
        "onlyLatestVersion=true&pageNumber=0&sortOrdering=1&type=Purple+Software";
    EXPECT_EQ(reviewUrl("42", 8.0), latest);
    EXPECT_EQ(reviewUrl("42", 17.2), latest);
}

TEST(ReviewUrl, EveryPlaceholderIsReplaced) {
    EXPECT_EQ(replaceAppId("APP_ID/APP_IDxAPP_ID", "7"), "7/7x7");
    EXPECT_EQ(replaceAppId("none", "7"), "none");
    EXPECT_EQ(replaceAppId("APP_ID", "APP_ID"), "APP_ID") << "the identifier is not rescanned";
}

using RateApp = RatingTest;

TEST_F(RateApp, PlatformReviewRequestIsTheOnlyRouteWhereItExists) {
    store.reviewRequest = true;
    store.productPage = true;
    bool ratedBeforeRequest = false;
    store.onRequestReview = [&] {
        ratedBeforeRequest = defaults.boolForKey(kRatedCurrentVersionKey);
    };
    prompt().setOpenInAppStore(false);
    installAppWindow();

    RatingPrompt::rateApp(prompt());

    EXPECT_EQ(store.reviewRequests, 1);
    EXPECT_TRUE(ratedBeforeRequest) << "the version is marked rated before any route";
    EXPECT_TRUE(store.pages.empty());
    EXPECT_TRUE(application.openedURLs().empty());
}

TEST_F(RateApp, OpenInStoreOpensTheReviewUrlEvenWhereAProductPageExists) {
    useLaunchSettings();
    store.productPage = true;
    device.setSystemVersion("17.2");

    RatingPrompt::rateApp(prompt());

    EXPECT_TRUE(defaults.boolForKey(kRatedCurrentVersionKey));
    EXPECT_TRUE(store.pages.empty());
    EXPECT_EQ(application.openedURLs(), std::vector<std::string>{reviewUrl("1163842075", 17.2)});
}

TEST_F(RateApp, OpenInStoreDefaultsToTheSystemVersionAtCreation) {
    device.setSystemVersion("6.1.3");
    EXPECT_FALSE(RatingPrompt(services(), settings).openInAppStore());
    device.setSystemVersion("7.0");
    EXPECT_TRUE(RatingPrompt(services(), settings).openInAppStore());
}

TEST_F(RateApp, ProductPageOpensAndClosesWhenNotSentToTheStore) {
    store.productPage = true;
    settings.setAppId("1163842075");
    settings.setUsesAnimation(false);
    prompt().setOpenInAppStore(false);
    installAppWindow();
    auto delegate = std::make_shared<RecordingDelegate>();
    prompt().setDelegate(delegate);

    RatingPrompt::rateApp(prompt());

    ASSERT_EQ(store.pages.size(), 1u);
    const auto& page = store.pages[0];
    EXPECT_EQ(page->loadedItem, 1163842075);
    EXPECT_TRUE(page->isPresented());
    EXPECT_EQ(window.root.presentedViewController(), page.get());
    EXPECT_EQ(window.root.lastPresentAnimated, false);
    EXPECT_TRUE(settings.modalOpen()) << "set once the presentation has completed";
    EXPECT_TRUE(application.openedURLs().empty());

    page->finish();

    EXPECT_FALSE(settings.modalOpen());
    EXPECT_FALSE(page->isPresented());
    EXPECT_EQ(page->lastDismissAnimated, false);
    EXPECT_EQ(delegate->calls, (std::vector<std::string>{"willPresentModal", "didDismissModal"}));
}

TEST_F(RateApp, ProductPageWithNowhereToPresentFromStaysClosed) {
    store.productPage = true;
    settings.setAppId("not a number");
    prompt().setOpenInAppStore(false);

    RatingPrompt::rateApp(prompt());

    ASSERT_EQ(store.pages.size(), 1u);
    EXPECT_EQ(store.pages[0]->loadedItem, 0) << "a non-numeric identifier is item 0";
    EXPECT_FALSE(store.pages[0]->isPresented());
    EXPECT_FALSE(settings.modalOpen());
}

TEST_F(RateApp, UrlRouteSubstitutesTheIdentifierTextUnchanged) {
    settings.setAppId("not a number");
    device.setSystemVersion("7.1");

    RatingPrompt::rateApp(prompt());

    EXPECT_EQ(application.openedURLs(),
              std::vector<std::string>{"itms-apps://apps.apple.com/app/idnot a number"});
}

TEST_F(RateApp, CloseModalWithNothingOpenDoesNothing) {
    installAppWindow();
    auto delegate = std::make_shared<RecordingDelegate>();
    prompt().setDelegate(delegate);

    RatingPrompt::closeModal(prompt());

    EXPECT_EQ(window.root.dismissCount, 0);
    EXPECT_TRUE(delegate->calls.empty());
}

}  // namespace
}  // namespace strumwise::rating::testing
