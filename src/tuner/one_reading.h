#pragma once

#include <cstdint>
#include <optional>

#include "pitch/note_reader.h"
#include "tuner/tuning_setup.h"

namespace strumwise::tuner {

// The screen shows one pitch for a plucked string: the one its low partials agree on, which the
// note reading measures (pitch::NoteReader) and the harmonic sum behind the lamp lands near.
// The lamp, the note and the Hz label follow the tick's estimate as they always have, except
// where that estimate says something the reading plainly contradicts. These are those mends.

// The string the tick lights for an estimate of `estimateHertz` in `tuning` of `setup` (whose
// windows carry the reference pitch, capo and spike, and which matches only a locked string), the
// tick's note
// reading, and the pitch the screen shows (see HeldReading; 0 for none):
//   - no string, where the reading hears no note (noise, or a note died away into it), or is
//     not yet sure while what it heard lately was noise, which the estimate's block may still
//     hold: noise never lights a string;
//   - the estimate's string, while the screen shows no pitch (before the first reading of a
//     pluck);
//   - the shown pitch's string, where that pitch lies in a window: a string in tune is lit even
//     where the estimate's coarser bin fell outside its window, and never another one;
//   - the estimate's string, where the shown pitch lies outside every window but within the
//     estimate's own rounding of that string's window, so that the lamp does not flicker at a
//     window's edge; otherwise no string.
std::optional<int> stringToLight(const TuningSetup& setup, std::uint64_t tuning,
                                 double estimateHertz, const pitch::NoteReading& reading,
                                 double shownHertz);

// The frequency the Hz label shows: the estimate's, unless the screen shows a pitch (see
// HeldReading; 0 for none) lying farther from the label's text for the estimate than the
// estimate's rounding to a transform bin and the label's to a tenth of a hertz allow (and two
// cents more), where the label would contradict the meter; then that pitch.
double labelHertz(double estimateHertz, double shownHertz);

}  // namespace strumwise::tuner
