#include "tuner/tuning_meter.h"

#include <algorithm>
#include <cmath>

#include "tuner/tuner_tick.h"
#include "tuner/tuning_table.h"
#include "view/outlets.h"

namespace strumwise::tuner {
namespace {

using Reading = platform::TuningMeterReading;

double centsBetween(double hertz, double reference) {
    return 1200.0 * std::log2(hertz / reference);
}

}  // namespace

Reading tuningMeterReading(std::uint64_t tuning, double refinedHertz) {
    Reading reading;
    if (!isValidTuning(tuning) || !(refinedHertz > 0.0)) {
        return reading;
    }
    double nearest = 0.0;
    for (int string = 1; string <= kStringCount; ++string) {
        const Note& note = *noteOf(tuning, string);
        const double pitch = std::sqrt(note.windowLow * note.windowHigh);
        const double cents = centsBetween(refinedHertz, pitch);
        if (reading.idle || std::abs(cents) < std::abs(reading.cents)) {
            reading.idle = false;
            reading.string = string;
            reading.cents = cents;
            nearest = pitch;
        }
    }
    const Note& note = *noteOf(tuning, reading.string);
    reading.note = note.name;
    reading.zoneLow = centsBetween(note.windowLow, nearest);
    reading.zoneHigh = centsBetween(note.windowHigh, nearest);
    reading.needle = std::clamp(reading.cents, -Reading::kNeedleRange, Reading::kNeedleRange);
    // The zone test is made on the frequency against the window's own ends, as the lamp makes it.
    reading.turn = refinedHertz > note.windowHigh  ? Reading::Turn::Down
                   : refinedHertz < note.windowLow ? Reading::Turn::Up
                                                   : Reading::Turn::None;
    return reading;
}

void TuningMeter::show(double power, double refinedHertz) {
    if (!isValidTuning(state_.tuningIndex)) {
        return;
    }
    if (power < TunerTick::kSilenceBelow) {
        view::show(view_, Reading{});
    } else if (power > TunerTick::kMeasureAbove) {
        view::show(view_, tuningMeterReading(state_.tuningIndex, refinedHertz));
    }
}

}  // namespace strumwise::tuner
