#include <gtest/gtest.h>

#include "rating/rating_keys.h"
#include "rating_fixture.h"

namespace strumwise::rating::testing {
namespace {

using UsageTracking = RatingTest;

TEST_F(UsageTracking, FirstReportAdoptsTheRunningVersionAndCountsOneUse) {
    prompt().incrementUseCount();

    EXPECT_EQ(defaults.stringForKey(kCurrentVersionKey), "1.0");
    EXPECT_EQ(defaults.doubleForKey(kFirstUseDateKey), clock.now());
    EXPECT_EQ(defaults.integerForKey(kUseCountKey), 1);

    clock.advanceEpochBy(kDay);
    prompt().incrementUseCount();
    EXPECT_EQ(defaults.integerForKey(kUseCountKey), 2);
    EXPECT_EQ(defaults.doubleForKey(kFirstUseDateKey), clock.now() - kDay)
        << "the first-use time is kept once set";
}

// Everything a version earned, including an answer to the prompt, that an update must forget.
void storeOldVersion(platform::UserDefaults& defaults) {
    defaults.setString("0.9", kCurrentVersionKey);
    defaults.setDouble(1000.0, kFirstUseDateKey);
    defaults.setInteger(7, kUseCountKey);
    defaults.setInteger(4, kSignificantEventCountKey);
    defaults.setBool(true, kRatedCurrentVersionKey);
    defaults.setBool(true, kDeclinedToRateKey);
    defaults.setDouble(2000.0, kReminderRequestDateKey);
}

TEST_F(UsageTracking, UseUnderANewVersionStartsItsCountsAfresh) {
    storeOldVersion(defaults);

    prompt().incrementUseCount();

    EXPECT_EQ(defaults.stringForKey(kCurrentVersionKey), "1.0");
    EXPECT_EQ(defaults.doubleForKey(kFirstUseDateKey), clock.now());
    EXPECT_EQ(defaults.integerForKey(kUseCountKey), 1);
    EXPECT_EQ(defaults.integerForKey(kSignificantEventCountKey), 0);
    EXPECT_FALSE(defaults.boolForKey(kRatedCurrentVersionKey));
    EXPECT_FALSE(defaults.boolForKey(kDeclinedToRateKey));
    EXPECT_EQ(defaults.doubleForKey(kReminderRequestDateKey), 0.0);
}

TEST_F(UsageTracking, EventUnderANewVersionLeavesTheFirstUseToTheNextUse) {
    storeOldVersion(defaults);

    prompt().incrementSignificantEventCount();
    EXPECT_EQ(defaults.stringForKey(kCurrentVersionKey), "1.0");
    EXPECT_EQ(defaults.doubleForKey(kFirstUseDateKey), 0.0);
    EXPECT_EQ(defaults.integerForKey(kUseCountKey), 0);
    EXPECT_EQ(defaults.integerForKey(kSignificantEventCountKey), 1);
    EXPECT_FALSE(defaults.boolForKey(kRatedCurrentVersionKey));
    EXPECT_FALSE(defaults.boolForKey(kDeclinedToRateKey));
    EXPECT_EQ(defaults.doubleForKey(kReminderRequestDateKey), 0.0);

    clock.advanceEpochBy(60.0);
    prompt().incrementUseCount();
    EXPECT_EQ(defaults.doubleForKey(kFirstUseDateKey), clock.now());
    EXPECT_EQ(defaults.integerForKey(kUseCountKey), 1);
    EXPECT_EQ(defaults.integerForKey(kSignificantEventCountKey), 1);
}

// A version that has been used 5 times and had 3 events, first used 10 days ago.
class Conditions : public RatingTest {
  protected:
    Conditions() {
        defaults.setString("1.0", kCurrentVersionKey);
        defaults.setDouble(clock.now() - 10 * kDay, kFirstUseDateKey);
        defaults.setInteger(5, kUseCountKey);
        defaults.setInteger(3, kSignificantEventCountKey);
        settings.setDaysUntilPrompt(10.0);
        settings.setUsesUntilPrompt(5);
        settings.setSignificantEventsUntilPrompt(3);
        settings.setTimeBeforeReminding(1.0);
    }
};

TEST_F(Conditions, EachConditionHoldsThePromptBackOnItsOwn) {
    EXPECT_TRUE(prompt().ratingConditionsHaveBeenMet()) << "every threshold met exactly";

    settings.setDaysUntilPrompt(10.0 + 1.0 / kDay);
    EXPECT_FALSE(prompt().ratingConditionsHaveBeenMet()) << "one second short of the days";
    settings.setDaysUntilPrompt(10.0);

    settings.setUsesUntilPrompt(6);
    EXPECT_FALSE(prompt().ratingConditionsHaveBeenMet()) << "one use short";
    settings.setUsesUntilPrompt(5);

    settings.setSignificantEventsUntilPrompt(4);
    EXPECT_FALSE(prompt().ratingConditionsHaveBeenMet()) << "one event short";
    settings.setSignificantEventsUntilPrompt(3);

    defaults.setDouble(clock.now() - kDay + 1.0, kReminderRequestDateKey);
    EXPECT_FALSE(prompt().ratingConditionsHaveBeenMet()) << "reminder asked for under a day ago";
    defaults.setDouble(clock.now() - kDay, kReminderRequestDateKey);
    EXPECT_TRUE(prompt().ratingConditionsHaveBeenMet()) << "a day after the reminder request";
}

TEST_F(Conditions, ZeroOrNegativeThresholdsAlwaysPass) {
    defaults.setDouble(clock.now(), kFirstUseDateKey);
    defaults.setInteger(0, kUseCountKey);
    defaults.setInteger(0, kSignificantEventCountKey);
    settings.setDaysUntilPrompt(0.0);
    settings.setUsesUntilPrompt(-3);
    settings.setSignificantEventsUntilPrompt(-1);

    EXPECT_TRUE(prompt().ratingConditionsHaveBeenMet());
}

TEST_F(Conditions, DebugModeMeetsThemWhateverIsStored) {
    defaults.setEmptyPersistentDomain(defaults.domain());
    defaults.setDouble(clock.now(), kReminderRequestDateKey);
    settings.setDebug(true);

    EXPECT_TRUE(prompt().ratingConditionsHaveBeenMet());
}

TEST_F(UsageTracking, DebugModeLogsTheTrackedVersionAndCounts) {
    prompt().incrementUseCount();
    EXPECT_TRUE(log.lines().empty()) << "nothing is logged outside debug mode";

    settings.setDebug(true);
    prompt().incrementUseCount();
    prompt().incrementSignificantEventCount();

    EXPECT_EQ(log.lines(), (std::vector<std::string>{
                               "RATINGPROMPT Tracking version: 1.0",
                               "RATINGPROMPT Use count: 2",
                               "RATINGPROMPT Tracking version: 1.0",
                               "RATINGPROMPT Significant event count: 1",
                           }));
}

TEST_F(UsageTracking, LaunchesPromptOnceADayHasPassedAndTwoUsesAreCounted) {
    useLaunchSettings();
    installAppWindow();

    RatingPrompt::appLaunched(prompt(), true);
    settle();
    EXPECT_EQ(defaults.integerForKey(kUseCountKey), 1);
    EXPECT_TRUE(alerts.controllers.empty()) << "first day, first use";

    clock.advanceEpochBy(kDay - 1.0);
    RatingPrompt::appLaunched(prompt(), true);
    settle();
    EXPECT_EQ(defaults.integerForKey(kUseCountKey), 2);
    EXPECT_TRUE(alerts.controllers.empty()) << "a second short of a day";

    clock.advanceEpochBy(1.0);
    RatingPrompt::appLaunched(prompt(), true);
    settle();
    ASSERT_EQ(alerts.controllers.size(), 1u);
    EXPECT_TRUE(alerts.controllers[0]->isInViewHierarchy());
}

TEST_F(UsageTracking, DebugLaunchShowsThePromptWithoutCounting) {
    installAppWindow();
    settings.setDebug(true);
    network.setFlags(std::nullopt);

    RatingPrompt::appLaunched(prompt(), true);
    settle();

    EXPECT_EQ(alerts.controllers.size(), 1u) << "no conditions, no network probe";
    EXPECT_EQ(network.probes, 0);
    EXPECT_FALSE(defaults.stringForKey(kCurrentVersionKey).has_value()) << "nothing counted";
}

TEST_F(UsageTracking, ReportsThatMayNotPromptStillCount) {
    installAppWindow();
    settings.setDaysUntilPrompt(0.0);
    settings.setUsesUntilPrompt(0);

    RatingPrompt::appLaunched(prompt(), false);
    RatingPrompt::appEnteredForeground(prompt(), false);
    RatingPrompt::userDidSignificantEvent(prompt(), false);
    settle();

    EXPECT_EQ(defaults.integerForKey(kUseCountKey), 2);
    EXPECT_EQ(defaults.integerForKey(kSignificantEventCountKey), 1);
    EXPECT_EQ(network.probes, 0);
    EXPECT_TRUE(alerts.controllers.empty());

    RatingPrompt::userDidSignificantEvent(prompt(), true);
    settle();
    EXPECT_EQ(alerts.controllers.size(), 1u) << "the same report with the flag set prompts";
}

TEST_F(UsageTracking, ReportsReturnBeforeCounting) {
    RatingPrompt::appLaunched(prompt(), true);
    RatingPrompt::appEnteredForeground(prompt(), true);

    EXPECT_FALSE(defaults.stringForKey(kCurrentVersionKey).has_value());
    settle();
    EXPECT_EQ(defaults.integerForKey(kUseCountKey), 2);
}

}  // namespace
}  // namespace strumwise::rating::testing
