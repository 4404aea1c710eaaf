#pragma once

#include <QImage>
#include <cstdint>

namespace strumwise::artwork {

// The chart of tuning `tuning` (1..4): the first frets of a banjo neck seen in tablature order,
// first string on top, the short fifth string starting at its own peg, each string labelled with
// its number and note, and the tuning spelled out in the corner. `wide` charts (for pads) leave
// more room around the neck.
QImage paintChart(int width, int height, std::uint64_t tuning, bool wide);

}  // namespace strumwise::artwork
