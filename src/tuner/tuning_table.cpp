#include "tuner/tuning_table.h"

#include <array>

namespace strumwise::tuner {
namespace {

// The windows are stored rounded to 0.001 Hz rather than computed, so that every build and
// every platform agrees on the exact ends.
constexpr Note kC3{"C3", "130.8Hz", 130.8f, 130.436, 131.191};
constexpr Note kD3{"D3", "146.8Hz", 146.8f, 146.409, 147.257};
constexpr Note kG3{"G3", "196Hz", 196.0f, 195.432, 196.565};
constexpr Note kA3{"A3", "220Hz", 220.0f, 219.366, 220.636};
constexpr Note kB3{"B3", "246.9Hz", 246.9f, 246.229, 247.656};
constexpr Note kC4{"C4", "261.6Hz", 261.6f, 260.871, 262.382};
constexpr Note kD4{"D4", "293.6Hz", 293.6f, 292.818, 294.514};
constexpr Note kE4{"E4", "329.6Hz", 329.6f, 328.677, 330.581};
constexpr Note kG4{"G4", "392Hz", 392.0f, 390.865, 393.129};
constexpr Note kA4{"A4", "440Hz", 440.0f, 438.731, 441.273};

// Strings 1 to 4 go down in pitch; string 5 is the short drone string, the highest note.
constexpr std::array<std::array<const Note*, kStringCount>, kTuningCount> kTunings{{
    {&kD4, &kB3, &kG3, &kD3, &kG4},  // 1: open G
    {&kE4, &kD4, &kA3, &kD3, &kA4},  // 2
    {&kD4, &kC4, &kG3, &kC3, &kG4},  // 3: double C
    {&kD4, &kC4, &kG3, &kD3, &kG4},  // 4: G modal
}};

}  // namespace

const Note* noteOf(std::uint64_t tuning, std::int64_t string) {
    if (!isValidTuning(tuning) || string < 1 || string > kStringCount) {
        return nullptr;
    }
    return kTunings[static_cast<std::size_t>(tuning - 1)][static_cast<std::size_t>(string - 1)];
}

std::optional<int> matchString(std::uint64_t tuning, double frequency) {
    if (!isValidTuning(tuning)) {
        return std::nullopt;
    }
    for (int string = 1; string <= kStringCount; ++string) {
        const Note& note =
            *kTunings[static_cast<std::size_t>(tuning - 1)][static_cast<std::size_t>(string - 1)];
        if (note.windowLow <= frequency && frequency <= note.windowHigh) {
            return string;
        }
    }
    return std::nullopt;
}

}  // namespace strumwise::tuner
