#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "tuner/tuning_table.h"

namespace strumwise::tuner {

// One tuning of the five strings as the player names it: index k-1 holds string k (strings 1 to
// 4 going down in pitch, 5 the short drone string), each an open-string note (MIDI number) with
// the name the player writes for it ("Bb3" stays a flat).
struct Tuning {
    std::string name;      // "Open G", "Open D", or the player's own
    std::string spelling;  // how players write it, drone first ("gDGBD"); empty when not known
    std::array<int, kStringCount> notes{};
    std::array<std::string, kStringCount> noteNames{};
    // 1..4 for the four tunings the tuner always knew, which keep their titles and charts; 0 for
    // every other.
    std::uint64_t specifiedIndex = 0;
    // A tuning the player made rather than one of the library.
    bool custom = false;

    bool operator==(const Tuning&) const = default;
};

}  // namespace strumwise::tuner
