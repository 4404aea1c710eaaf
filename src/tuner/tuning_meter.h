#pragma once

#include <cstdint>

#include "platform/view_toolkit.h"
#include "tuner/tuner_state.h"

namespace strumwise::tuner {

// The reading of the tuning meter for a refined frequency in a tuning: the string whose note is
// nearest in cents, the signed offset from that note, the needle stopped at the scale's ends,
// the string's own in-tune window in cents as the green zone, and which way to turn. The note
// sits at the geometric middle of its window, the equal-tempered pitch the window was cut
// around, so the green zone is exactly the window the lamp tests. Farther than
// kChromaticBeyond cents from every string, the reading names the heard note itself instead
// (chromatic), so that a sound far from the tuning does not pin the needle on a wrong string.
// With a string locked, the reading is of that string alone up to kLockedRange cents each way.
// The strings are those of `setup` (reference pitch, capo and spike applied), and the heard note
// is named at its reference pitch. Idle for a tuning the setup does not have or a frequency that
// is not above 0.
platform::TuningMeterReading tuningMeterReading(const TuningSetup& setup, std::uint64_t tuning,
                                                double refinedHertz);
// The same with the default settings: the four tunings at A4 = 440 Hz.
platform::TuningMeterReading tuningMeterReading(std::uint64_t tuning, double refinedHertz);

// The tuning meter beside the tuner's read-outs, drawn after each tick: above the measurement
// threshold it shows the reading of the tick's refined frequency, in silence it goes idle, and in
// the dead band it keeps what it showed, like the rest of the screen. A tuning index the setup
// does not have leaves it alone, as it leaves the whole screen. Main thread only.
//
// A loud block that does not hold one steady note (the start of a pluck, the end of one, a new
// pluck over the old) refines to a pitch between notes, so the meter shows only steady blocks'
// readings and otherwise keeps the last steady one: when a note dies away, its own last steady
// reading stays through the dead band.
class TuningMeter {
  public:
    TuningMeter(platform::TuningMeter* view, const TunerState& state)
        : view_(view), state_(state) {}

    // The reading of a block known to be steady.
    void show(double power, double refinedHertz) { show(power, refinedHertz, true); }
    // `steady`: whether the block the frequency was refined from holds one steady note.
    void show(double power, double refinedHertz, bool steady);

    // The last reading shown from a steady block; idle in silence and before any.
    const platform::TuningMeterReading& steadyReading() const { return steadyReading_; }

  private:
    platform::TuningMeter* view_;
    const TunerState& state_;
    platform::TuningMeterReading steadyReading_;
};

}  // namespace strumwise::tuner
