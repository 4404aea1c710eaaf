#pragma once

#include <array>
#include <cstdint>

#include "tuner/tuning_table.h"

namespace strumwise::tuner {

// The tuner's state, all of it used on the main thread only: the current tuning,
// which strings have been found in tune during this run, and the confirmation latches that
// limit each string to one pending latch reset at a time. Nothing here is persisted.
struct TunerState {
    // 1..4; every reader ignores other values. Changed only by the tuning browser.
    std::uint64_t tuningIndex = 1;
    // Index k-1 is string k. Set by a string's in-tune hook and kept for the rest of the run.
    std::array<bool, kStringCount> tunedFlags{};
    // Index k-1 is string k. Set by the hook when it schedules a reset; cleared by the reset.
    std::array<bool, kStringCount> confirmationLatches{};

    bool allStringsTuned() const {
        for (const bool tuned : tunedFlags) {
            if (!tuned) {
                return false;
            }
        }
        return true;
    }
};

}  // namespace strumwise::tuner
