#include "tuner/tuning_meter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "tuner/tuner_tick.h"
#include "tuner/tuning_table.h"
#include "view/outlets.h"

namespace strumwise::tuner {
namespace {

using Reading = platform::TuningMeterReading;

double centsBetween(double hertz, double reference) {
    return 1200.0 * std::log2(hertz / reference);
}

// The equal-tempered note nearest to `hertz` (A4 = 440 Hz), named with sharps, and the offset
// from it.
void nameHeardNote(double hertz, Reading& reading) {
    static constexpr std::array<const char*, 12> kNames{"C",  "C#", "D",  "D#", "E",  "F",
                                                        "F#", "G",  "G#", "A",  "A#", "B"};
    constexpr int kA4 = 69;
    const double semitones = 12.0 * std::log2(hertz / 440.0);
    const long midi = kA4 + std::lround(semitones);
    reading.cents = 100.0 * (semitones - static_cast<double>(midi - kA4));
    // Integer division rounds toward zero, so octaves below -1 are found from a shifted value.
    const long octave = (midi + 1200) / 12 - 101;
    reading.note = std::string(kNames[static_cast<std::size_t>((midi % 12 + 12) % 12)]) +
                   std::to_string(octave);
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
    if (std::abs(reading.cents) > Reading::kChromaticBeyond) {
        reading.chromatic = true;
        reading.string = 0;
        nameHeardNote(refinedHertz, reading);
    } else {
        reading.note = note.name;
        reading.zoneLow = centsBetween(note.windowLow, nearest);
        reading.zoneHigh = centsBetween(note.windowHigh, nearest);
    }
    reading.needle = std::clamp(reading.cents, -Reading::kNeedleRange, Reading::kNeedleRange);
    // The zone test is made on the frequency against the window's own ends, as the lamp makes it.
    reading.turn = refinedHertz > note.windowHigh  ? Reading::Turn::Down
                   : refinedHertz < note.windowLow ? Reading::Turn::Up
                                                   : Reading::Turn::None;
    return reading;
}

void TuningMeter::show(double power, double shownHertz) {
    if (!isValidTuning(state_.tuningIndex) ||
        (power >= TunerTick::kSilenceBelow && power <= TunerTick::kMeasureAbove)) {
        return;
    }
    const Reading reading = tuningMeterReading(state_.tuningIndex, shownHertz);
    if (reading != shownReading_ || power < TunerTick::kSilenceBelow) {
        shownReading_ = reading;
        view::show(view_, shownReading_);
    }
}

}  // namespace strumwise::tuner
