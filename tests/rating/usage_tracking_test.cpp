#include <gtest/gtest.h>

#include "rating/rating_keys.h"
#include "rating_fixture.h"

namespace strumwise::rating::testing {
namespace {

using UsageTracking = RatingTest;

TEST_F(UsageTracking, FirstReportAdoptsTheRunningVersionAndCountsOneUse) {
    prompt().incrementUseCount();
    EXPECT_EQ(defaults().stringForKey(kCurrentVersionKey), "1.0");
    EXPECT_EQ(defaults().doubleForKey(kFirstUseDateKey), now());
    EXPECT_EQ(defaults().integerForKey(kUseCountKey), 1);

    headless.clock().advanceEpochBy(kDay);
    prompt().incrementUseCount();
    EXPECT_EQ(defaults().integerForKey(kUseCountKey), 2);
    EXPECT_EQ(defaults().doubleForKey(kFirstUseDateKey), now() - kDay) << "kept once set";
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

void expectFreshVersion(platform::UserDefaults& defaults, double firstUse, std::int64_t uses,
                        std::int64_t events) {
    EXPECT_EQ(defaults.stringForKey(kCurrentVersionKey), "1.0");
    EXPECT_EQ(defaults.doubleForKey(kFirstUseDateKey), firstUse);
    EXPECT_EQ(defaults.integerForKey(kUseCountKey), uses);
    EXPECT_EQ(defaults.integerForKey(kSignificantEventCountKey), events);
    EXPECT_FALSE(defaults.boolForKey(kRatedCurrentVersionKey));
    EXPECT_FALSE(defaults.boolForKey(kDeclinedToRateKey));
    EXPECT_EQ(defaults.doubleForKey(kReminderRequestDateKey), 0.0);
}

TEST_F(UsageTracking, UseOrEventUnderANewVersionStartsAfresh) {
    storeOldVersion(defaults());
    prompt().incrementUseCount();
    expectFreshVersion(defaults(), now(), 1, 0);

    // An event leaves the first use to the next use.
    storeOldVersion(defaults());
    prompt().incrementSignificantEventCount();
    expectFreshVersion(defaults(), 0.0, 0, 1);
    advance(60.0);
    prompt().incrementUseCount();
    EXPECT_EQ(defaults().doubleForKey(kFirstUseDateKey), now());
    EXPECT_EQ(defaults().integerForKey(kUseCountKey), 1);
}

// Each condition, met exactly, then missed by the smallest step: days since first use, uses,
// significant events, time since the reminder request.
TEST_F(UsageTracking, EachConditionHoldsThePromptBackOnItsOwn) {
    defaults().setString("1.0", kCurrentVersionKey);
    defaults().setDouble(now() - 10 * kDay, kFirstUseDateKey);
    defaults().setInteger(5, kUseCountKey);
    defaults().setInteger(3, kSignificantEventCountKey);
    defaults().setDouble(now() - kDay, kReminderRequestDateKey);
    settings.setDaysUntilPrompt(10.0);
    settings.setUsesUntilPrompt(5);
    settings.setSignificantEventsUntilPrompt(3);
    settings.setTimeBeforeReminding(1.0);
    EXPECT_TRUE(prompt().ratingConditionsHaveBeenMet());

    settings.setDaysUntilPrompt(10.0 + 1.0 / kDay);
    EXPECT_FALSE(prompt().ratingConditionsHaveBeenMet()) << "a second short of the days";
    settings.setDaysUntilPrompt(10.0);
    settings.setUsesUntilPrompt(6);
    EXPECT_FALSE(prompt().ratingConditionsHaveBeenMet()) << "a use short";
    settings.setUsesUntilPrompt(5);
    settings.setSignificantEventsUntilPrompt(4);
    EXPECT_FALSE(prompt().ratingConditionsHaveBeenMet()) << "an event short";
    settings.setSignificantEventsUntilPrompt(3);
    defaults().setDouble(now() - kDay + 1.0, kReminderRequestDateKey);
    EXPECT_FALSE(prompt().ratingConditionsHaveBeenMet()) << "a second short of the reminder";

    settings.setDebug(true);
    EXPECT_TRUE(prompt().ratingConditionsHaveBeenMet()) << "debug mode meets them all";
}

TEST_F(UsageTracking, LaunchesPromptOnceADayHasPassedAndTwoUsesAreCounted) {
    useLaunchSettings();
    RatingPrompt::appLaunched(prompt(), true);
    EXPECT_EQ(defaults().integerForKey(kUseCountKey), 0) << "the report returns before counting";
    settle();
    EXPECT_EQ(defaults().integerForKey(kUseCountKey), 1);

    headless.clock().advanceEpochBy(kDay - 1.0);
    RatingPrompt::appLaunched(prompt(), true);
    settle();
    EXPECT_EQ(defaults().integerForKey(kUseCountKey), 2);
    EXPECT_EQ(tracedCount("alert \""), 0) << "a second short of a day";

    headless.clock().advanceEpochBy(1.0);
    RatingPrompt::appLaunched(prompt(), true);
    settle();
    EXPECT_EQ(tracedCount("alert \""), 1);
}

TEST_F(UsageTracking, DebugLaunchShowsThePromptWithoutCountingOrTesting) {
    settings.setDebug(true);
    network.flags = -1;
    RatingPrompt::appLaunched(prompt(), true);
    settle();

    EXPECT_EQ(tracedCount("alert \""), 1);
    EXPECT_EQ(network.probes, 0);
    EXPECT_FALSE(defaults().stringForKey(kCurrentVersionKey).has_value());
}

TEST_F(UsageTracking, ReportsThatMayNotPromptStillCount) {
    settings.setDaysUntilPrompt(0.0);
    settings.setUsesUntilPrompt(0);
    RatingPrompt::appLaunched(prompt(), false);
    RatingPrompt::appEnteredForeground(prompt(), false);
    RatingPrompt::userDidSignificantEvent(prompt(), false);
    settle();

    EXPECT_EQ(defaults().integerForKey(kUseCountKey), 2);
    EXPECT_EQ(defaults().integerForKey(kSignificantEventCountKey), 1);
    EXPECT_EQ(network.probes, 0);
    EXPECT_EQ(tracedCount("alert \""), 0);

    RatingPrompt::userDidSignificantEvent(prompt(), true);
    settle();
    EXPECT_EQ(tracedCount("alert \""), 1) << "the same report with the flag set prompts";
}

}  // namespace
}  // namespace strumwise::rating::testing
