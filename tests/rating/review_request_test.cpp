#include <gtest/gtest.h>

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
        useLaunchSettings();
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

TEST_F(ReviewRequestTest, RemindLaterHoldsBackEveryTryUntilTheWaitHasPassed) {
    defaults().setInteger(10, kNumberOfRunsKey);
    for (const double wait : {0.0, 1.0, kDay - 1.0, 1.0}) {
        advance(wait);
        request.promptToReview();
    }
    EXPECT_EQ(tracedCount("alert answered 2"), 1);
    EXPECT_EQ(tracedCount("alert \""), 2) << "again once a day has passed, not before";
}

}  // namespace
}  // namespace strumwise::rating::testing
