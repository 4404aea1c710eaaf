#include <gtest/gtest.h>

#include <functional>

#include "rating/rating_keys.h"
#include "rating/store_config.h"
#include "rating_fixture.h"

namespace strumwise::rating::testing {
namespace {

using platform::headless::AlertAnswer;

using RatingAlert = RatingTest;

TEST_F(RatingAlert, NetworkIsProbedFirstWhateverElseHoldsThePromptBack) {
    const auto declined = [this](bool on) { defaults().setBool(on, kDeclinedToRateKey); };
    const auto rated = [this](bool on) { defaults().setBool(on, kRatedCurrentVersionKey); };
    const auto reminded = [this](double ago) {
        defaults().setDouble(ago < 0 ? 0.0 : now() - ago, kReminderRequestDateKey);
    };
    const struct {
        const char* what;
        std::function<void(bool)> holdBack;
        bool appropriate;
    } cases[] = {
        {"nothing", [](bool) {}, true},
        {"declined", declined, false},
        {"rated", rated, false},
        {"reminded an hour ago", [&](bool on) { reminded(on ? 3600.0 : -1.0); }, false},
        {"reminded a day ago", [&](bool on) { reminded(on ? kDay : -1.0); }, true},
        {"inactive",
         [this](bool on) { on ? notifications.resignActive() : notifications.becomeActive(); },
         false},
    };
    advance(2 * kDay);
    settings.setTimeBeforeReminding(1.0);
    int probes = 0;
    for (const auto& c : cases) {
        c.holdBack(true);
        EXPECT_EQ(prompt().ratingAlertIsAppropriate(), c.appropriate) << c.what;
        EXPECT_EQ(network.probes, ++probes) << c.what;
        c.holdBack(false);
    }
    RatingPrompt::forceShowPrompt(prompt(), true);
    EXPECT_FALSE(prompt().ratingAlertIsAppropriate()) << "an alert is already up";
}

TEST_F(RatingAlert, TestRequestsGoOverHttpsOneAtATimeAtMostOnceAMinute) {
    using State = platform::DataTask::State;
    const struct {
        double at;
        State lastTask;
        std::string_view flag;
        int requests;
    } steps[] = {
        {0.0, State::Running, {}, 1},
        {30.0, State::Running, {}, 1},
        {90.0, State::Running, {}, 1},  // still in flight
        {90.0, State::Completed, {}, 2},
        {149.0, State::Completed, {}, 2},
        {150.0, State::Canceling, {}, 3},
        {300.0, State::Completed, kDeclinedToRateKey, 3},
        {300.0, State::Completed, kRatedCurrentVersionKey, 3},
    };
    double elapsed = 0.0;
    for (const auto& step : steps) {
        advance(step.at - elapsed);
        elapsed = step.at;
        network.taskState = step.lastTask;
        for (const std::string_view key : {kDeclinedToRateKey, kRatedCurrentVersionKey}) {
            defaults().setBool(key == step.flag, key);
        }
        prompt().ratingAlertIsAppropriate();
        EXPECT_EQ(network.requests, step.requests) << "at " << step.at << " s " << step.flag;
    }
    EXPECT_EQ(network.lastRequest, "https://www.example.com/ 20.000000");
}

TEST_F(RatingAlert, ReachabilityFlagsAndTheTestRequestDecide) {
    using State = platform::DataTask::State;
    const struct {
        int flags;
        State task;
        bool connected;
    } cases[] = {
        {2, State::Running, true},       // reachable
        {2 | 4, State::Running, false},  // reachable only once a connection is made
        {1, State::Running, true},       // transient connection
        {1 | 4, State::Completed, true}, {0, State::Running, false},
        {2, State::Suspended, false},  // the test request did not start
    };
    for (const auto& c : cases) {
        network.flags = c.flags;
        network.taskState = c.task;
        EXPECT_EQ(prompt().connectedToNetwork(), c.connected) << "flags " << c.flags;
    }
    EXPECT_TRUE(logLines().empty());

    network.flags = -1;
    advance(60.0);
    RatingPrompt::tryToShowPrompt(prompt());
    EXPECT_EQ(network.requests, 1) << "no test request without flags";
    EXPECT_EQ(tracedCount("alert"), 0);
    EXPECT_EQ(logLines(),
              std::vector<std::string>{"Error. Could not recover network reachability flags"});
}

// Each answer, in either alert style, stores its key and forgets the alert.
using AnswerCase = std::tuple<AlertAnswer, bool>;

class Answers : public RatingAlert, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(Answers, StoreTheirKey) {
    std::tie(answer, controllerStyle) = GetParam();
    advance(5.0);
    RatingPrompt::tryToShowPrompt(prompt());
    advance(1.0);

    const bool later = answer == AlertAnswer::Later;
    const bool rate = answer == AlertAnswer::Rate;
    const bool decline = answer == AlertAnswer::Decline;
    const std::string index = later ? "2" : rate ? "1" : "0";
    EXPECT_TRUE(traced("6.000 alert answered " + index));
    EXPECT_EQ(defaults().doubleForKey(kReminderRequestDateKey), later ? now() : 0.0);
    EXPECT_EQ(defaults().boolForKey(kRatedCurrentVersionKey), rate);
    EXPECT_EQ(tracedCount("openURL \"itms-apps://"), rate ? 1 : 0);
    EXPECT_EQ(defaults().boolForKey(kDeclinedToRateKey), decline);
    EXPECT_TRUE(prompt().ratingAlert().empty());
}

INSTANTIATE_TEST_SUITE_P(BothStyles, Answers,
                         ::testing::Combine(::testing::Values(AlertAnswer::Later, AlertAnswer::Rate,
                                                              AlertAnswer::Decline),
                                            ::testing::Bool()));

// (Without a window nothing is shown: the headless command's launch prompt checks it.)
TEST_F(RatingAlert, OverABusyWindowTheAlertIsKeptUnseen) {
    // Something else is up, and it presents nothing: the alert has nowhere to appear.
    views.setMainWindowInstalled(true);
    views.rootController().presentViewController(std::make_shared<FakeViewController>(), false,
                                                 nullptr);
    RatingPrompt::tryToShowPrompt(prompt());

    EXPECT_FALSE(prompt().ratingAlert().empty());
    EXPECT_FALSE(prompt().isRatingAlertVisible());
    EXPECT_EQ(tracedCount("alert"), 0);
}

// Controller-style alerts offer rate, remind, decline; view-style ones number decline, rate,
// remind; without the remind button, two. Resigning active hides an alert of either style
// without an answer; a controller alert is still referenced, a view alert is dismissed.
class AlertStyle : public RatingAlert, public ::testing::WithParamInterface<bool> {};

TEST_P(AlertStyle, ButtonsFollowTheStyleAndResigningActiveHidesTheAlertWithoutAnAnswer) {
    controllerStyle = GetParam();
    answer = AlertAnswer::Decline;
    RatingPrompt::tryToShowPrompt(prompt());
    EXPECT_TRUE(
        traced("0.000 alert " + kAlertText + " " +
               (controllerStyle ? R"(["Rate Strumwise", "Remind me later", "No, Thanks"])"
                                : R"(["No, Thanks", "Rate Strumwise", "Remind me later"])")));
    EXPECT_TRUE(prompt().isRatingAlertVisible());
    advance(0.5);
    notifications.resignActive();
    advance(1.0);

    EXPECT_TRUE(traced("0.500 alert hidden"));
    EXPECT_EQ(tracedCount("answered"), 0) << "a hidden alert cannot be answered";
    EXPECT_EQ(tracedCount("defaults set"), 0);
    EXPECT_EQ(prompt().ratingAlert().empty(), !controllerStyle);
    RatingPrompt::tryToShowPrompt(prompt());
    EXPECT_EQ(tracedCount("alert \""), 1) << "nothing is shown from the background";
    notifications.becomeActive();
    RatingPrompt::tryToShowPrompt(prompt());
    EXPECT_EQ(tracedCount("alert \""), 2) << "the hidden alert does not hold back the next";

    RatingPrompt::appWillResignActive(prompt());
    RatingPrompt::forceShowPrompt(prompt(), false);
    EXPECT_TRUE(traced("1.500 alert " + kAlertText + " " +
                       (controllerStyle ? R"(["Rate Strumwise", "No, Thanks"])"
                                        : R"(["No, Thanks", "Rate Strumwise"])")));
}

INSTANTIATE_TEST_SUITE_P(BothStyles, AlertStyle, ::testing::Bool());

TEST_F(RatingAlert, TitlesAreTranslatedWithTheBundlesNameSubstitutedNeverUsedAsAFormat) {
    FakeBundle main;
    main.info["CFBundleName"] = "Strumwise";
    main.strings["RatingPromptLocalizable/Rate %@"] = "Valorar %1$@ (100%%)";
    main.strings["RatingPromptLocalizable/No, Thanks"] = "No, gracias";
    RatingPrompt spanish(services(&main), settings);

    EXPECT_EQ(spanish.alertTitle(), "Valorar Strumwise (100%)") << "the bundle name stands in";
    EXPECT_EQ(spanish.alertRateTitle(), spanish.alertTitle());
    EXPECT_EQ(spanish.alertCancelTitle(), "No, gracias");
    EXPECT_EQ(spanish.alertRateLaterTitle(), "Remind me later") << "untranslated: the key";
    main.info["CFBundleDisplayName"] = "Banjo %s %d";
    EXPECT_EQ(spanish.alertTitle(), "Valorar Banjo %s %d (100%)");
}

// A window or a view, managed by `controller` when it is not null.
struct Node final : platform::Window {
    Node(double l, platform::ViewController* c, std::vector<platform::View*> v)
        : level(l), controller(c), children(std::move(v)) {}
    std::vector<platform::View*> subviews() const override { return children; }
    platform::ViewController* nextResponderViewController() const override { return controller; }
    double windowLevel() const override { return level; }
    platform::ViewController* rootViewController() const override { return controller; }

    double level;
    platform::ViewController* controller;
    std::vector<platform::View*> children;
};

struct Windows final : platform::ViewHierarchy {
    Windows(platform::Window* k, std::vector<platform::Window*> a) : key(k), all(std::move(a)) {}
    platform::Window* keyWindow() const override { return key; }
    std::vector<platform::Window*> windows() const override { return all; }
    double normalWindowLevel() const override { return 0.0; }

    platform::Window* key;
    std::vector<platform::Window*> all;
};

TEST(ViewControllerSearch, FindsTheTopControllerOfTheFirstManagedViewOfANormalLevelWindow) {
    // window > plain > nested (first, which presents modal, which presents top); window > managed
    platform::headless::HeadlessRootController first, second, alertRoot, appRoot;
    const auto modal = std::make_shared<platform::headless::HeadlessRootController>();
    const auto top = std::make_shared<platform::headless::HeadlessRootController>();
    first.presentViewController(modal, false, nullptr);
    modal->presentViewController(top, false, nullptr);
    Node nested(0.0, &first, {}), managed(0.0, &second, {}), plain(0.0, nullptr, {&nested});
    Node window(0.0, nullptr, {&plain, &managed});
    Node alertContent(0.0, &alertRoot, {}), alertWindow(2000.0, nullptr, {&alertContent});
    Node appContent(0.0, &appRoot, {}), appWindow(0.0, nullptr, {&appContent});
    Node raised(1.0, nullptr, {}), leaf(0.0, nullptr, {}), bare(0.0, nullptr, {&leaf});
    const struct {
        const char* what;
        platform::Window* key;
        std::vector<platform::Window*> all;
        platform::ViewController* found;
    } cases[] = {
        {"depth first, then up what it presents", &window, {}, top.get()},
        {"a key window above the normal level is passed over",
         &alertWindow,
         {&raised, &alertWindow, &appWindow},
         &appRoot},
        {"no normal-level window", &alertWindow, {&raised, &alertWindow}, nullptr},
        {"no key window", nullptr, {&raised, &alertWindow}, nullptr},
        {"no managed view", &bare, {}, nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RatingPrompt::getRootViewController(Windows(c.key, c.all)), c.found) << c.what;
    }
    EXPECT_EQ(RatingPrompt::topMostViewController(second), &second);
}

}  // namespace
}  // namespace strumwise::rating::testing
