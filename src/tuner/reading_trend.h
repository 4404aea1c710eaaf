#pragma once

#include <span>
#include <string_view>

#include "platform/view_toolkit.h"

namespace strumwise::tuner {

// The trend of the meter's last readings, in the few words a screen reader says for the picture
// under the meter. It reads the newest run of readings of one string, no gap between them:
//   - no reading: the newest sample read no string (silence, or a note no string of the tuning);
//   - settling: over the run's last second the offset moved by at least kMovingCents towards
//     the note ("G3, settling 2 cents sharp"), as a pluck settles or a peg is turned the right
//     way;
//   - drifting: it moved as far away from the note ("B3, drifting flat, 6 cents");
//   - otherwise in tune inside the string's window ("D4, in tune"), or steady off it.
// A run too short to show a movement (under kRunSeconds) is read as still; a newest offset under
// half a cent is in tune whatever moved. Drifting always points away from the note, so the sign
// of `cents` says which way. `note` names the newest sample's string.
platform::ReadingTrend readingTrend(std::span<const platform::ReadingSample> samples,
                                    std::string_view note);

// How much the offset must move within the last second for the words to say it moves.
inline constexpr double kMovingCents = 3.0;
// The shortest run that can show a movement.
inline constexpr double kRunSeconds = 0.3;

}  // namespace strumwise::tuner
