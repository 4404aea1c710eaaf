#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace strumwise::tuner {

inline constexpr int kStringCount = 5;
inline constexpr std::uint64_t kTuningCount = 4;

// One note a banjo string can be tuned to: its name, the reference text and tone the fork
// button gives for it, and the window of measured frequencies (both ends inclusive) that counts
// as in tune, plus or minus 5 cents of equal temperament.
struct Note {
    std::string_view name;
    std::string_view referenceLabel;
    float referenceFrequency;
    double windowLow;
    double windowHigh;
};

// Whether `tuning` names one of the four tunings (1..4); every reader ignores other values.
constexpr bool isValidTuning(std::uint64_t tuning) {
    return tuning >= 1 && tuning <= kTuningCount;
}

// The note of string 1..5 in tuning 1..4; nullptr for any other tuning or string number.
const Note* noteOf(std::uint64_t tuning, std::int64_t string);

// The first string, in string order 1..5, whose window holds `frequency`; nullopt when none
// does or the tuning is not 1..4.
std::optional<int> matchString(std::uint64_t tuning, double frequency);

}  // namespace strumwise::tuner
