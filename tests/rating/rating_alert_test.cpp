#include <gtest/gtest.h>

#include "rating/rating_keys.h"
#include "rating/store_config.h"
#include "rating_fixture.h"

namespace strumwise::rating::testing {
namespace {

using platform::AlertActionStyle;

const std::string kTitle = "Rate Strumwise";
const std::string kMessage =
    "If you enjoy using Strumwise, would you mind taking a moment to rate it? It won't take "
    "more than a minute. Thanks for your support!";

class RatingAlertTest : public RatingTest {
  protected:
    RatingAlertTest() {
        useLaunchSettings();
        installAppWindow();
    }

    FakeAlertController& onlyController() {
        EXPECT_EQ(alerts.controllers.size(), 1u);
        return *alerts.controllers.back();
    }
};

using Appropriateness = RatingAlertTest;

TEST_F(Appropriateness, NetworkIsProbedFirstWhateverElseHoldsThePromptBack) {
    EXPECT_TRUE(prompt().ratingAlertIsAppropriate());
    EXPECT_EQ(network.probes, 1);
    EXPECT_EQ(network.requests, 1);
    EXPECT_EQ(network.lastUrl(), kReachabilityTestUrl);
    EXPECT_EQ(network.lastTimeout(), 20.0);

    defaults.setBool(true, kDeclinedToRateKey);
    EXPECT_FALSE(prompt().ratingAlertIsAppropriate());
    EXPECT_EQ(network.requests, 2) << "declined: the probe still runs";

    defaults.setBool(false, kDeclinedToRateKey);
    defaults.setBool(true, kRatedCurrentVersionKey);
    EXPECT_FALSE(prompt().ratingAlertIsAppropriate());
    EXPECT_EQ(network.requests, 3) << "rated: the probe still runs";

    defaults.setBool(false, kRatedCurrentVersionKey);
    RatingPrompt::forceShowPrompt(prompt(), true);
    EXPECT_FALSE(prompt().ratingAlertIsAppropriate()) << "an alert is already up";
    EXPECT_EQ(network.requests, 4);
}

TEST_F(Appropriateness, ReachabilityFlagsDecide) {
    using platform::DataTask;
    struct Case {
        std::optional<std::uint32_t> flags;
        DataTask::State task;
        bool connected;
    };
    const Case cases[] = {
        {2, DataTask::State::Running, true},       // reachable
        {2 | 4, DataTask::State::Running, false},  // reachable only once a connection is made
        {1, DataTask::State::Running, true},       // transient connection
        {1 | 4, DataTask::State::Completed, true}, {0, DataTask::State::Running, false},
        {2, DataTask::State::Suspended, false},  // the test request did not start
    };
    for (const Case& c : cases) {
        network.setFlags(c.flags);
        network.setTaskState(c.task);
        EXPECT_EQ(prompt().connectedToNetwork(), c.connected) << "flags " << *c.flags;
    }
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(Appropriateness, UnreadableReachabilityIsLoggedAndNeverPrompts) {
    network.setFlags(std::nullopt);

    RatingPrompt::tryToShowPrompt(prompt());

    EXPECT_EQ(network.requests, 0) << "no test request without flags";
    EXPECT_TRUE(alerts.controllers.empty());
    EXPECT_EQ(log.lines(),
              std::vector<std::string>{"Error. Could not recover network reachability flags"});
}

using AlertStyles = RatingAlertTest;

TEST_F(AlertStyles, ControllerStyleOffersRateRemindAndDeclineAsCancel) {
    RatingPrompt::tryToShowPrompt(prompt());

    FakeAlertController& alert = onlyController();
    EXPECT_EQ(alert.title, kTitle);
    EXPECT_EQ(alert.message, kMessage);
    EXPECT_EQ(alert.titles(), (std::vector<std::string>{kTitle, "Remind me later", "No, Thanks"}));
    EXPECT_EQ(alert.actions[0].style, AlertActionStyle::Default);
    EXPECT_EQ(alert.actions[1].style, AlertActionStyle::Default);
    EXPECT_EQ(alert.actions[2].style, AlertActionStyle::Cancel);
    EXPECT_EQ(window.root.presentedViewController(), &alert);
    EXPECT_EQ(window.root.lastPresentAnimated, true);
    EXPECT_EQ(prompt().ratingAlert().controller.get(), &alert);
    EXPECT_TRUE(prompt().isRatingAlertVisible());
}

TEST_F(AlertStyles, ControllerStyleWithoutRemindHasRateThenDecline) {
    RatingPrompt::forceShowPrompt(prompt(), false);

    FakeAlertController& alert = onlyController();
    EXPECT_EQ(alert.titles(), (std::vector<std::string>{kTitle, "No, Thanks"}));
    EXPECT_EQ(alert.actions[0].style, AlertActionStyle::Default);
    EXPECT_EQ(alert.actions[1].style, AlertActionStyle::Cancel);
}

TEST_F(AlertStyles, ViewStylePutsDeclineAtZeroRateAtOneRemindAtTwo) {
    alerts.controllerStyle = false;

    RatingPrompt::forceShowPrompt(prompt(), true);
    ASSERT_EQ(alerts.views.size(), 1u);
    const FakeAlertView& withRemind = *alerts.views[0];
    EXPECT_EQ(withRemind.title, kTitle);
    EXPECT_EQ(withRemind.message, kMessage);
    EXPECT_EQ(withRemind.buttons,
              (std::vector<std::string>{"No, Thanks", kTitle, "Remind me later"}));
    EXPECT_TRUE(withRemind.isVisible());
    EXPECT_TRUE(prompt().isRatingAlertVisible());

    RatingPrompt::forceShowPrompt(prompt(), false);
    ASSERT_EQ(alerts.views.size(), 2u);
    EXPECT_EQ(alerts.views[1]->buttons, (std::vector<std::string>{"No, Thanks", kTitle}));
    EXPECT_EQ(prompt().ratingAlert().view, alerts.views[1]);
}

TEST_F(AlertStyles, AlertWithNowhereToPresentFromIsKeptButNotVisible) {
    views.key = nullptr;
    views.all.clear();
    auto delegate = std::make_shared<RecordingDelegate>();
    prompt().setDelegate(delegate);

    RatingPrompt::tryToShowPrompt(prompt());

    EXPECT_EQ(prompt().ratingAlert().controller, alerts.controllers.at(0));
    EXPECT_FALSE(prompt().isRatingAlertVisible());
    EXPECT_EQ(delegate->calls, (std::vector<std::string>{"shouldDisplay", "didDisplay"}));
}

TEST_F(AlertStyles, PlatformReviewRequestReplacesTheAlertAndEndsPromptingForTheVersion) {
    store.reviewRequest = true;
    auto delegate = std::make_shared<RecordingDelegate>();
    prompt().setDelegate(delegate);

    RatingPrompt::tryToShowPrompt(prompt());
    RatingPrompt::tryToShowPrompt(prompt());

    EXPECT_TRUE(alerts.controllers.empty());
    EXPECT_TRUE(alerts.views.empty());
    EXPECT_EQ(store.reviewRequests, 1);
    EXPECT_TRUE(prompt().userHasRatedCurrentVersion());
    EXPECT_EQ(delegate->calls, (std::vector<std::string>{"shouldDisplay", "didDisplay"}));
}

TEST_F(AlertStyles, DelegateCanStopTheDisplay) {
    auto delegate = std::make_shared<RecordingDelegate>();
    delegate->allow = false;
    prompt().setDelegate(delegate);

    RatingPrompt::forceShowPrompt(prompt(), true);

    EXPECT_TRUE(alerts.controllers.empty());
    EXPECT_EQ(delegate->calls, std::vector<std::string>{"shouldDisplay"});
}

TEST_F(AlertStyles, ReleasedDelegateIsForgotten) {
    auto delegate = std::make_shared<RecordingDelegate>();
    delegate->allow = false;
    prompt().setDelegate(delegate);
    delegate.reset();

    RatingPrompt::forceShowPrompt(prompt(), true);

    EXPECT_EQ(alerts.controllers.size(), 1u);
}

using Answers = RatingAlertTest;

TEST_F(Answers, EachAnswerStoresItsKeyAndNotifies) {
    auto delegate = std::make_shared<RecordingDelegate>();
    prompt().setDelegate(delegate);
    clock.advanceEpochBy(123.0);

    RatingPrompt::forceShowPrompt(prompt(), true);
    onlyController().press("Remind me later");
    EXPECT_EQ(defaults.doubleForKey(kReminderRequestDateKey), clock.now());
    EXPECT_FALSE(defaults.boolForKey(kDeclinedToRateKey));
    EXPECT_FALSE(defaults.boolForKey(kRatedCurrentVersionKey));
    EXPECT_TRUE(prompt().ratingAlert().empty());

    alerts.controllers.clear();
    RatingPrompt::forceShowPrompt(prompt(), true);
    onlyController().press(kTitle);
    EXPECT_TRUE(defaults.boolForKey(kRatedCurrentVersionKey));
    EXPECT_EQ(application.openedURLs(),
              std::vector<std::string>{"itms-apps://apps.apple.com/WebObjects/MZStore.woa/wa/"
                                       "viewContentsUserReviews?id=1163842075&onlyLatestVersion="
                                       "true&pageNumber=0&sortOrdering=1&type=Purple+Software"});
    EXPECT_FALSE(defaults.boolForKey(kDeclinedToRateKey));
    EXPECT_TRUE(prompt().ratingAlert().empty());

    alerts.controllers.clear();
    RatingPrompt::forceShowPrompt(prompt(), true);
    onlyController().press("No, Thanks");
    EXPECT_TRUE(defaults.boolForKey(kDeclinedToRateKey));
    EXPECT_TRUE(prompt().ratingAlert().empty());

    EXPECT_EQ(delegate->calls,
              (std::vector<std::string>{"shouldDisplay", "didDisplay", "didOptToRemindLater",
                                        "shouldDisplay", "didDisplay", "didOptToRate",
                                        "shouldDisplay", "didDisplay", "didDecline"}));
}

TEST_F(Answers, ViewStyleIndicesMapToTheSameAnswers) {
    alerts.controllerStyle = false;

    RatingPrompt::forceShowPrompt(prompt(), true);
    alerts.views.back()->dismissWithClickedButtonIndex(2, true);
    EXPECT_EQ(defaults.doubleForKey(kReminderRequestDateKey), clock.now());

    RatingPrompt::forceShowPrompt(prompt(), true);
    alerts.views.back()->dismissWithClickedButtonIndex(0, true);
    EXPECT_TRUE(defaults.boolForKey(kDeclinedToRateKey));

    RatingPrompt::forceShowPrompt(prompt(), true);
    alerts.views.back()->dismissWithClickedButtonIndex(1, true);
    EXPECT_TRUE(defaults.boolForKey(kRatedCurrentVersionKey));
    EXPECT_TRUE(prompt().ratingAlert().empty());
}

TEST_F(Answers, OtherIndicesRecordNothingButForgetTheAlert) {
    auto delegate = std::make_shared<RecordingDelegate>();
    prompt().setDelegate(delegate);
    const auto before = defaults.snapshot();

    for (const std::int64_t index : {-1, 3, 99}) {
        RatingPrompt::forceShowPrompt(prompt(), true);
        ASSERT_FALSE(prompt().ratingAlert().empty());
        prompt().alertViewDidDismissWithButtonIndex(index);
        EXPECT_TRUE(prompt().ratingAlert().empty()) << index;
    }

    EXPECT_EQ(defaults.snapshot(), before);
    EXPECT_TRUE(application.openedURLs().empty());
    EXPECT_EQ(delegate->calls.size(), 6u) << "only display notifications";
}

TEST_F(Answers, EqualCustomDeclineAndRateTitlesCountAsDecline) {
    prompt().setAlertCancelTitle("OK");
    prompt().setAlertRateTitle("OK");

    RatingPrompt::forceShowPrompt(prompt(), false);
    EXPECT_EQ(onlyController().titles(), (std::vector<std::string>{"OK", "OK"}));
    onlyController().press("OK");

    EXPECT_TRUE(defaults.boolForKey(kDeclinedToRateKey));
    EXPECT_FALSE(defaults.boolForKey(kRatedCurrentVersionKey));
}

using Hiding = RatingAlertTest;

TEST_F(Hiding, ResigningActiveHidesAControllerAlertWithoutAnAnswer) {
    settings.setDebug(true);
    RatingPrompt::tryToShowPrompt(prompt());
    FakeAlertController& alert = onlyController();
    const auto before = defaults.snapshot();

    notifications.resignActive();

    EXPECT_FALSE(alert.isInViewHierarchy());
    EXPECT_EQ(alert.lastDismissAnimated, false);
    EXPECT_EQ(defaults.snapshot(), before);
    EXPECT_EQ(prompt().ratingAlert().controller.get(), &alert) << "still referenced";
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"RATINGPROMPT appWillResignActive",
                                                     "RATINGPROMPT Hiding Alert"}));

    RatingPrompt::tryToShowPrompt(prompt());
    EXPECT_EQ(alerts.controllers.size(), 2u) << "the hidden alert does not hold back the next";
}

TEST_F(Hiding, ResigningActiveDismissesAViewAlertAsNoAnswer) {
    alerts.controllerStyle = false;
    RatingPrompt::tryToShowPrompt(prompt());
    const auto before = defaults.snapshot();

    notifications.resignActive();

    EXPECT_FALSE(alerts.views.at(0)->isVisible());
    EXPECT_EQ(alerts.views.at(0)->lastDismissAnimated, false);
    EXPECT_TRUE(prompt().ratingAlert().empty());
    EXPECT_EQ(defaults.snapshot(), before);
}

TEST_F(Hiding, ResigningActiveWithNoAlertChangesNothing) {
    const auto before = defaults.snapshot();

    notifications.resignActive();

    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(defaults.snapshot(), before);
}

using Texts = RatingAlertTest;

TEST_F(Texts, CustomTextsAreUsedAsGiven) {
    prompt().setAlertTitle("Enjoying %@? 100%%");
    prompt().setAlertMessage("");
    EXPECT_EQ(prompt().alertTitle(), "Enjoying %@? 100%%");
    EXPECT_EQ(prompt().alertMessage(), "");

    prompt().setAlertTitle(std::nullopt);
    EXPECT_EQ(prompt().alertTitle(), kTitle) << "clearing restores the default";
}

TEST_F(Texts, TranslationsComeFromThePromptsOwnBundleUnlessTheMainOneIsForced) {
    FakeBundle main;
    main.localizedInfo["CFBundleDisplayName"] = "Banjo %s %d";
    main.info["CFBundleName"] = "Strumwise";
    main.strings["RatingPromptLocalizable/Rate %@"] = "Main %@";
    FakeBundle own;
    own.strings["RatingPromptLocalizable/Rate %@"] = "Valorar %@ (100%%)";
    own.strings["RatingPromptLocalizable/No, Thanks"] = "No, gracias";
    ratingPromptBundle = &own;
    RatingPrompt spanish(
        RatingServices{log, clock, runLoop, dispatch, defaults, device, application, main, &own,
                       alerts, store, network, views, notifications},
        settings);

    EXPECT_EQ(spanish.alertTitle(), "Valorar Banjo %s %d (100%)")
        << "the name is substituted, never used as a format";
    EXPECT_EQ(spanish.alertRateTitle(), spanish.alertTitle());
    EXPECT_EQ(spanish.alertCancelTitle(), "No, gracias");
    EXPECT_EQ(spanish.alertRateLaterTitle(), "Remind me later") << "untranslated: the key";

    settings.setAlwaysUseMainBundle(true);
    EXPECT_EQ(spanish.alertTitle(), "Main Banjo %s %d");
}

TEST_F(Texts, ApplicationNameFallsBackToTheBundleName) {
    FakeBundle main;
    main.info["CFBundleName"] = "Strumwise";
    RatingPrompt prompt(RatingServices{log, clock, runLoop, dispatch, defaults, device, application,
                                       main, nullptr, alerts, store, network, views, notifications},
                        settings);
    EXPECT_EQ(prompt.alertTitle(), "Rate Strumwise");

    main.info["CFBundleDisplayName"] = "Strumwise Banjo";
    EXPECT_EQ(prompt.alertTitle(), "Rate Strumwise Banjo");
}

}  // namespace
}  // namespace strumwise::rating::testing
