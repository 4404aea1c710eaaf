#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "rating/rating_keys.h"
#include "rating/review_request.h"
#include "rating_fixture.h"

namespace strumwise::rating::testing {
namespace {

TEST(ReviewRequestRuns, PromptCountGrowsWithTheRunCount) {
    const std::pair<std::int64_t, int> table[] = {{-1, 0}, {2, 0}, {3, 1},  {5, 1}, {6, 2},
                                                  {8, 3},  {9, 3}, {10, 4}, {11, 4}};
    for (const auto& [runs, prompts] : table) {
        EXPECT_EQ(ReviewRequest::promptCountForRuns(runs), prompts) << runs << " runs";
    }
}

class ReviewRequestTest : public RatingTest {
  protected:
    ReviewRequestTest() {
        answer = platform::headless::AlertAnswer::Later;
        // The settings the application gives the prompt at every launch.
        settings.setDaysUntilPrompt(1.0);
        settings.setUsesUntilPrompt(2);
        settings.setSignificantEventsUntilPrompt(-1);
        settings.setTimeBeforeReminding(1.0);
        prompt().setOpenInAppStore(true);
        tuner.tunedFlags.fill(true);
    }

    tuner::TunerState tuner;
    int resets = 0;
    ReviewRequest request{tuner, headless.services().runLoop, defaults(),
                          [this] { RatingPrompt::tryToShowPrompt(prompt()); },
                          [this] { ++resets; }};
};

TEST_F(ReviewRequestTest, AllStringsTunedSchedulesThePromptAndTheLatchReset) {
    defaults().setInteger(3, kNumberOfRunsKey);
    request.requestReview();
    advance(0.1);
    request.requestReview();
    advance(4.0 - 0.1);
    EXPECT_EQ(network.probes, 1);
    EXPECT_EQ(resets, 0);
    advance(1.1);
    EXPECT_EQ(network.probes, 2) << "the second tick scheduled a second prompt";
    EXPECT_EQ(resets, 2);

    tuner.tunedFlags[2] = false;
    request.requestReview();
    EXPECT_EQ(runLoop().pendingCount(), 0u) << "four tuned strings schedule nothing";
}

TEST_F(ReviewRequestTest, EachTryProbesTheNetworkEvenOnceTheVersionIsRated) {
    store.reviewRequest = true;
    defaults().setInteger(10, kNumberOfRunsKey);
    request.promptToReview();

    EXPECT_EQ(network.probes, 4);
    EXPECT_EQ(network.requests, 1) << "no test request once the version is rated";
    EXPECT_EQ(store.requests.size(), 1u) << "the first try marks the version rated";
}

using UsageTracking = RatingTest;

TEST_F(UsageTracking, CountsAtTheLargestIntegerStayThere) {
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    prompt().incrementUseCount();
    defaults().setInteger(kMax, kUseCountKey);
    defaults().setInteger(kMax, kSignificantEventCountKey);
    prompt().incrementUseCount();
    prompt().incrementSignificantEventCount();
    EXPECT_EQ(defaults().integerForKey(kUseCountKey), kMax);
    EXPECT_EQ(defaults().integerForKey(kSignificantEventCountKey), kMax);
}

// Everything a version earned, including an answer to the prompt, that an update must forget.
// A use restarts the first use date; an event leaves it to the next use.
TEST_F(UsageTracking, UseOrEventUnderANewVersionStartsAfresh) {
    for (const bool use : {true, false}) {
        defaults().setString("0.9", kCurrentVersionKey);
        defaults().setDouble(1000.0, kFirstUseDateKey);
        defaults().setInteger(7, kUseCountKey);
        defaults().setInteger(4, kSignificantEventCountKey);
        defaults().setBool(true, kRatedCurrentVersionKey);
        defaults().setBool(true, kDeclinedToRateKey);
        defaults().setDouble(2000.0, kReminderRequestDateKey);
        use ? prompt().incrementUseCount() : prompt().incrementSignificantEventCount();

        EXPECT_EQ(defaults().stringForKey(kCurrentVersionKey), "1.0");
        EXPECT_EQ(defaults().doubleForKey(kFirstUseDateKey), use ? now() : 0.0);
        EXPECT_EQ(defaults().integerForKey(kUseCountKey), use ? 1 : 0);
        EXPECT_EQ(defaults().integerForKey(kSignificantEventCountKey), use ? 0 : 1);
        EXPECT_FALSE(defaults().boolForKey(kRatedCurrentVersionKey));
        EXPECT_FALSE(defaults().boolForKey(kDeclinedToRateKey));
        EXPECT_EQ(defaults().doubleForKey(kReminderRequestDateKey), 0.0);
    }
    advance(60.0);
    prompt().incrementUseCount();
    EXPECT_EQ(defaults().doubleForKey(kFirstUseDateKey), now());
}

// Each condition, met exactly, then missed by the smallest step.
TEST_F(UsageTracking, EachConditionHoldsThePromptBackOnItsOwn) {
    defaults().setString("1.0", kCurrentVersionKey);
    defaults().setDouble(now() - 10 * kDay, kFirstUseDateKey);
    defaults().setInteger(5, kUseCountKey);
    defaults().setInteger(3, kSignificantEventCountKey);
    const auto met = [&](std::function<void()> change) {
        settings.setDaysUntilPrompt(10.0);
        settings.setUsesUntilPrompt(5);
        settings.setSignificantEventsUntilPrompt(3);
        settings.setTimeBeforeReminding(1.0);
        defaults().setDouble(now() - kDay, kReminderRequestDateKey);
        change();
        return prompt().ratingConditionsHaveBeenMet();
    };
    EXPECT_TRUE(met([] {}));
    EXPECT_FALSE(met([&] { settings.setDaysUntilPrompt(10.0 + 1.0 / kDay); })) << "days";
    EXPECT_FALSE(met([&] { settings.setUsesUntilPrompt(6); })) << "uses";
    EXPECT_FALSE(met([&] { settings.setSignificantEventsUntilPrompt(4); })) << "events";
    EXPECT_FALSE(met([&] { defaults().setDouble(now() - kDay + 1.0, kReminderRequestDateKey); }))
        << "a second short of the reminder";
}

}  // namespace
}  // namespace strumwise::rating::testing
