#include "tuner/tuned_strings.h"

namespace strumwise::tuner {

TunedStrings::TunedStrings(TunerState& state, platform::RunLoop& runLoop)
    : state_(state), runLoop_(runLoop) {}

void TunedStrings::confirm(int string) {
    if (string < 1 || string > kStringCount) {
        return;
    }
    const auto index = static_cast<std::size_t>(string - 1);
    state_.tunedFlags[index] = true;
    if (state_.confirmationLatches[index]) {
        return;
    }
    state_.confirmationLatches[index] = true;
    // The reset refers to this object: its owner, the screen controller, outlives every
    // handler the run loop still has to run.
    runLoop_.performAfterDelay(kResetOperation, kLatchResetDelaySeconds,
                               [this] { resetTuningBools(); });
}

void TunedStrings::resetTuningBools() {
    state_.confirmationLatches.fill(false);
}

}  // namespace strumwise::tuner
