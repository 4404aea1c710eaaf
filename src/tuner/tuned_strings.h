#pragma once

#include "platform/run_loop.h"
#include "tuner/tuner_state.h"

namespace strumwise::tuner {

// Remembers which strings have been found in tune. Each string's hook sets its tuned flag and,
// at most once per pending reset, arms its confirmation latch and schedules the latch reset, so
// a string held in tune schedules one reset every few seconds instead of ten a second.
class TunedStrings {
  public:
    // How long a confirmation latch stays armed.
    static constexpr double kLatchResetDelaySeconds = 5.0;
    // The name under which the latch reset is scheduled on the run loop.
    static constexpr std::string_view kResetOperation = "resetTuningBools";

    TunedStrings(TunerState& state, platform::RunLoop& runLoop);

    // The hook of string 1..5, run by the tick on a match; other numbers do nothing.
    void confirm(int string);
    // Clears the five confirmation latches; the tuned flags stay.
    void resetTuningBools();

  private:
    TunerState& state_;
    platform::RunLoop& runLoop_;
};

}  // namespace strumwise::tuner
