#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <cstdint>

namespace strumwise::artwork {

// The notes a chart shows: string k's note at index k-1, named as the tuner names notes ("D4",
// "F#3", "Bb3").
using ChartNotes = std::array<QString, 5>;

// The charts' sizes in pixels, twice the largest a layout shows them at: a phone's chart and a
// pad's wider one (which the 667 and 736 point phones show too).
inline constexpr int kPhoneChartWidth = 720;
inline constexpr int kPhoneChartHeight = 270;
inline constexpr int kPadChartWidth = 1200;
inline constexpr int kPadChartHeight = 330;

// The chart of a tuning: the first frets of a banjo neck seen in tablature order, first string
// on top, the short fifth string starting at its own peg, each string labelled with its number
// and note, and the tuning spelled out in the corner as players spell it ("gDGBD"). `wide`
// charts (for pads) leave more room around the neck. The build draws the four tunings' charts
// with it, and the window any other tuning's when it is shown.
QImage paintChart(int width, int height, const ChartNotes& notes, bool wide);

// The chart of the tuner's own tuning `tuning` (1..4).
QImage paintChart(int width, int height, std::uint64_t tuning, bool wide);

}  // namespace strumwise::artwork
