#pragma once

#include <string>

#include "platform/bundle.h"
#include "tuner/player_settings.h"
#include "tuner/tuning.h"

namespace strumwise::tuner {

// The neck's fret where the fifth string's own nut sits: its frets are counted from there.
inline constexpr int kFifthStringNut = 5;

// The neck's fret at which the fifth string stopped at its own fret `fret` sounds; 0 for open.
constexpr int neckFretOfFifthString(int fret) {
    return fret == 0 ? 0 : kFifthStringNut + fret;
}

// A tuning's title in the running language: the four first by their own title keys
// ("TuningFreeTitle" .. "TuningFreeTitle4"), the library's others by their names as keys with
// their spelling in brackets ("Open D (f#DF#AD)"), the player's own by the name the player gave.
std::string localizedTuningTitle(const Tuning& tuning, const platform::Bundle& bundle);

// What the title adds where the strings sound other than open: ", capo 2, 5th at 7", the spike
// placed as players count it, on the neck's frets. Empty with no capo and no spike.
std::string transposedSuffix(const PlayerSettings& settings, const platform::Bundle& bundle);

// `text` with its first "%1" (or "%d") replaced by `value`.
std::string withValue(std::string text, std::string_view value);

}  // namespace strumwise::tuner
