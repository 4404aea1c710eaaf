#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "tuner/tuning_table.h"

namespace strumwise::tuner {

// The chart of a tuning the artwork holds no picture for (any but the four, or one of the four
// with a capo or a spike) is drawn by the platform when it is asked for it by name: the family's
// prefix, then the five sounding notes drone first, each after an underscore, then ".png"
// ("chartipad_A4_E3_A3_C#4_E4.png").
std::string drawnChartName(bool padFamily, const std::array<std::string, kStringCount>& droneFirst);

// What a drawn chart's name asks for: its family and notes, drone first; nullopt for any other
// image name.
struct DrawnChart {
    bool padFamily = false;
    std::array<std::string, kStringCount> notes;
};
std::optional<DrawnChart> drawnChartOf(std::string_view imageName);

}  // namespace strumwise::tuner
