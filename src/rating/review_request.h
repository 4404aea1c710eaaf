#pragma once

#include <functional>

#include "platform/run_loop.h"
#include "platform/user_defaults.h"
#include "tuner/tuner_state.h"

namespace strumwise::rating {

// Once every string has been found in tune, a loud sound that matches no string is taken as the
// player being done: a few seconds later the rating prompt is asked to show itself, more
// insistently the more often the application has been run.
class ReviewRequest {
  public:
    // `tryToShowPrompt` asks the rating prompt to show itself when appropriate (the
    // application passes RatingPrompt::tryToShowPrompt); `resetTuningBools` is the tuner's latch
    // reset, which each request also schedules.
    ReviewRequest(const tuner::TunerState& tunerState, platform::RunLoop& runLoop,
                  const platform::UserDefaults& defaults, std::function<void()> tryToShowPrompt,
                  std::function<void()> resetTuningBools);

    // The last step of a loud tick that matched no string.
    void requestReview();
    // Asks for the prompt 0 to 4 times by the stored run count.
    void promptToReview();

    // How many times promptToReview asks for the prompt after `numberOfRuns` runs.
    static int promptCountForRuns(std::int64_t numberOfRuns);

  private:
    const tuner::TunerState& tunerState_;
    platform::RunLoop& runLoop_;
    const platform::UserDefaults& defaults_;
    std::function<void()> tryToShowPrompt_;
    std::function<void()> resetTuningBools_;
};

}  // namespace strumwise::rating
