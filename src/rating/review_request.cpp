#include "rating/review_request.h"

#include <utility>

#include "rating/rating_keys.h"

namespace strumwise::rating {

namespace {

constexpr double kPromptDelaySeconds = 4.0;
constexpr double kResetDelaySeconds = 5.0;

}  // namespace

ReviewRequest::ReviewRequest(const tuner::TunerState& tunerState, platform::RunLoop& runLoop,
                             const platform::UserDefaults& defaults,
                             std::function<void()> tryToShowPrompt,
                             std::function<void()> resetTuningBools)
    : tunerState_(tunerState),
      runLoop_(runLoop),
      defaults_(defaults),
      tryToShowPrompt_(std::move(tryToShowPrompt)),
      resetTuningBools_(std::move(resetTuningBools)) {}

void ReviewRequest::requestReview() {
    if (!tunerState_.allStringsTuned()) {
        return;
    }
    runLoop_.performAfterDelay("promptToReview", kPromptDelaySeconds, [this] { promptToReview(); });
    runLoop_.performAfterDelay("resetTuningBools", kResetDelaySeconds, [this] {
        if (resetTuningBools_) {
            resetTuningBools_();
        }
    });
}

int ReviewRequest::promptCountForRuns(std::int64_t numberOfRuns) {
    int count = 0;
    for (const std::int64_t threshold : {3, 6, 8, 10}) {
        if (numberOfRuns >= threshold) {
            ++count;
        }
    }
    return count;
}

void ReviewRequest::promptToReview() {
    const int count = promptCountForRuns(defaults_.integerForKey(kNumberOfRunsKey));
    for (int i = 0; i < count && tryToShowPrompt_; ++i) {
        tryToShowPrompt_();
    }
}

}  // namespace strumwise::rating
