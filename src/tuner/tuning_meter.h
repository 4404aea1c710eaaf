#pragma once

#include <cstdint>

#include "platform/view_toolkit.h"
#include "tuner/tuner_state.h"

namespace strumwise::tuner {

// The reading of the tuning meter for a refined frequency in a tuning: the string whose note is
// nearest in cents, the signed offset from that note, the needle stopped at the scale's ends,
// the string's own in-tune window in cents as the green zone, and which way to turn. The note
// sits at the geometric middle of its window, the equal-tempered pitch the window was cut
// around, so the green zone is exactly the window the lamp tests. Idle for a tuning that is not
// 1..4 or a frequency that is not above 0.
platform::TuningMeterReading tuningMeterReading(std::uint64_t tuning, double refinedHertz);

// The tuning meter beside the tuner's read-outs, drawn after each tick: above the measurement
// threshold it shows the reading of the tick's refined frequency, in silence it goes idle, and in
// the dead band it keeps what it showed, like the rest of the screen. A tuning that is not 1..4
// leaves it alone, as it leaves the whole screen. Main thread only.
class TuningMeter {
  public:
    TuningMeter(platform::TuningMeter* view, const TunerState& state)
        : view_(view), state_(state) {}

    void show(double power, double refinedHertz);

  private:
    platform::TuningMeter* view_;
    const TunerState& state_;
};

}  // namespace strumwise::tuner
