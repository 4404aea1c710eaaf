#include "tuner/held_reading.h"

#include "tuner/tuner_tick.h"

namespace strumwise::tuner {

void HeldReading::update(double power, const pitch::NoteReading& reading) {
    if (power < TunerTick::kSilenceBelow) {
        hertz_ = 0.0;
        ticksWithoutNote_ = 0;
    } else if (power <= TunerTick::kMeasureAbove) {
        return;
    } else if (reading.note()) {
        hertz_ = reading.hertz;
        ticksWithoutNote_ = 0;
    } else if (reading.starting()) {
        hertz_ = 0.0;  // a new pluck: what was shown was the note before it
        ticksWithoutNote_ = 0;
    } else if (reading.noNote() && hertz_ > 0.0 && ++ticksWithoutNote_ >= kTicksHeldWithoutNote) {
        hertz_ = 0.0;
        ticksWithoutNote_ = 0;
    }
}

}  // namespace strumwise::tuner
