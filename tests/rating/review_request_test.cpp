#include <gtest/gtest.h>

#include "rating/rating_keys.h"
#include "rating/review_request.h"
#include "rating_fixture.h"

namespace strumwise::rating::testing {
namespace {

using platform::headless::secondsToMicros;

TEST(ReviewRequestRuns, PromptCountGrowsWithTheRunCount) {
    const std::pair<std::int64_t, int> table[] = {{-1, 0}, {0, 0},  {2, 0},  {3, 1},
                                                  {5, 1},  {6, 2},  {7, 2},  {8, 3},
                                                  {9, 3},  {10, 4}, {11, 4}, {1000, 4}};
    for (const auto& [runs, prompts] : table) {
        EXPECT_EQ(ReviewRequest::promptCountForRuns(runs), prompts) << runs << " runs";
    }
}

class ReviewRequestTest : public RatingTest {
  protected:
    ReviewRequestTest() {
        useLaunchSettings();
        installAppWindow();
    }

    void tuneAllStrings() { tuner.tunedFlags.fill(true); }

    tuner::TunerState tuner;
    int prompts = 0;
    int resets = 0;
    ReviewRequest request{tuner, runLoop, defaults, [this] { ++prompts; }, [this] { ++resets; }};
};

TEST_F(ReviewRequestTest, AllStringsTunedSchedulesThePromptAndTheLatchReset) {
    defaults.setInteger(3, kNumberOfRunsKey);
    tuneAllStrings();

    request.requestReview();
    runLoop.advanceBy(secondsToMicros(0.1));
    request.requestReview();

    runLoop.runUntil(secondsToMicros(4.0) - 1);
    EXPECT_EQ(prompts, 0);
    runLoop.runUntil(secondsToMicros(4.0));
    EXPECT_EQ(prompts, 1);
    runLoop.runUntil(secondsToMicros(4.1));
    EXPECT_EQ(prompts, 2) << "the second tick scheduled a second prompt";
    EXPECT_EQ(resets, 0);
    runLoop.runUntil(secondsToMicros(5.0));
    EXPECT_EQ(resets, 1);
    runLoop.runUntil(secondsToMicros(5.1));
    EXPECT_EQ(resets, 2);
    EXPECT_EQ(runLoop.pendingCount(), 0u);
}

TEST_F(ReviewRequestTest, FourTunedStringsScheduleNothing) {
    tuneAllStrings();
    tuner.tunedFlags[2] = false;

    request.requestReview();

    EXPECT_EQ(runLoop.pendingCount(), 0u);
}

TEST_F(ReviewRequestTest, EachPromptIsACompleteTryWithItsOwnNetworkProbe) {
    store.reviewRequest = true;
    defaults.setInteger(10, kNumberOfRunsKey);
    ReviewRequest real(
        tuner, runLoop, defaults, [this] { RatingPrompt::tryToShowPrompt(prompt()); }, nullptr);

    real.promptToReview();

    EXPECT_EQ(network.probes, 4) << "every try probes, even once the version is rated";
    EXPECT_EQ(store.reviewRequests, 1) << "the first try marks the version rated";
}

TEST_F(ReviewRequestTest, ShortcutPromptsBeforeTheUsageConditionsAreMet) {
    defaults.setInteger(3, kNumberOfRunsKey);
    prompt().incrementUseCount();
    ASSERT_FALSE(prompt().ratingConditionsHaveBeenMet());
    ReviewRequest real(
        tuner, runLoop, defaults, [this] { RatingPrompt::tryToShowPrompt(prompt()); }, nullptr);

    real.promptToReview();

    EXPECT_EQ(alerts.controllers.size(), 1u);
}

TEST_F(ReviewRequestTest, FewerThanThreeRunsNeverPrompt) {
    defaults.setInteger(2, kNumberOfRunsKey);
    request.promptToReview();
    EXPECT_EQ(prompts, 0);

    defaults.setInteger(10, kNumberOfRunsKey);
    request.promptToReview();
    EXPECT_EQ(prompts, 4);
}

}  // namespace
}  // namespace strumwise::rating::testing
