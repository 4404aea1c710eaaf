#pragma once

#include "pitch/note_reader.h"

namespace strumwise::tuner {

// The one pitch the screen shows for the note that sounds, kept from tick to tick: the meter
// draws it and the Hz label agrees with it. In silence it is nothing; in the dead band it stays
// as it was, like the rest of the screen. Above the measuring level it follows each note reading;
// a new pluck, too young to read, clears it, since it was the note before; while the reading is
// not yet sure it stays; where the reading hears
// no note it stays for a moment, so that one noisy window does not blank it, and is then
// nothing: a note that has died away into the room's noise is no longer shown as if it still
// sounded. Main thread only.
class HeldReading {
  public:
    // Ticks without a note after which nothing is shown: 0.3 s.
    static constexpr int kTicksHeldWithoutNote = 3;

    void update(double power, const pitch::NoteReading& reading);
    // The pitch shown, in Hz; 0 for none.
    double hertz() const { return hertz_; }

  private:
    double hertz_ = 0.0;
    int ticksWithoutNote_ = 0;
};

}  // namespace strumwise::tuner
