#include "tuner/tuning_meter.h"

#include <algorithm>
#include <cmath>

#include "tuner/note_names.h"
#include "tuner/tuner_tick.h"
#include "view/outlets.h"

namespace strumwise::tuner {
namespace {

using Reading = platform::TuningMeterReading;

double centsBetween(double hertz, double reference) {
    return 1200.0 * std::log2(hertz / reference);
}

// The equal-tempered note nearest to `hertz` at the reference pitch, named with sharps, and the
// offset from it.
void nameHeardNote(double hertz, double a4Hertz, Reading& reading) {
    const double semitones = 12.0 * std::log2(hertz / a4Hertz);
    const long midi = kA4 + std::lround(semitones);
    reading.cents = 100.0 * (semitones - static_cast<double>(midi - kA4));
    reading.note = noteName(static_cast<int>(midi));
}

}  // namespace

Reading tuningMeterReading(const TuningSetup& setup, std::uint64_t tuning, double refinedHertz) {
    Reading reading;
    if (!setup.hasTuning(tuning) || !(refinedHertz > 0.0)) {
        return reading;
    }
    // The string read against: the locked one, or the one nearest in cents.
    const int locked = setup.lockedString();
    const double beyond = locked != 0 ? Reading::kLockedRange : Reading::kChromaticBeyond;
    for (int string = 1; string <= kStringCount; ++string) {
        if (locked != 0 && string != locked) {
            continue;
        }
        const double cents = centsBetween(refinedHertz, setup.target(tuning, string)->pitch());
        if (reading.idle || std::abs(cents) < std::abs(reading.cents)) {
            reading.idle = false;
            reading.string = string;
            reading.cents = cents;
        }
    }
    const StringTarget& target = *setup.target(tuning, reading.string);
    if (std::abs(reading.cents) > beyond) {
        reading.chromatic = true;
        reading.string = 0;
        nameHeardNote(refinedHertz, setup.referenceHertz(), reading);
    } else {
        reading.note = target.noteName;
        reading.zoneLow = centsBetween(target.windowLow, target.pitch());
        reading.zoneHigh = centsBetween(target.windowHigh, target.pitch());
    }
    reading.needle = std::clamp(reading.cents, -Reading::kNeedleRange, Reading::kNeedleRange);
    // The zone test is made on the frequency against the window's own ends, as the lamp makes it.
    reading.turn = refinedHertz > target.windowHigh  ? Reading::Turn::Down
                   : refinedHertz < target.windowLow ? Reading::Turn::Up
                                                     : Reading::Turn::None;
    return reading;
}

Reading tuningMeterReading(std::uint64_t tuning, double refinedHertz) {
    static const TuningSetup kDefaults;
    return tuningMeterReading(kDefaults, tuning, refinedHertz);
}

void TuningMeter::show(double power, double refinedHertz, bool steady) {
    if (!state_.hasTuning()) {
        return;
    }
    if (power < TunerTick::kSilenceBelow) {
        steadyReading_ = Reading{};
        view::show(view_, steadyReading_);
    } else if (power > TunerTick::kMeasureAbove && steady) {
        steadyReading_ = tuningMeterReading(state_.setup, state_.tuningIndex, refinedHertz);
        view::show(view_, steadyReading_);
    }
}

}  // namespace strumwise::tuner
