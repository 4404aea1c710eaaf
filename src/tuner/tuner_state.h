#pragma once

#include <array>
#include <cstdint>

#include "tuner/tuning_setup.h"
#include "tuner/tuning_table.h"

namespace strumwise::tuner {

// The tuner's state, all of it used on the main thread only: the current tuning,
// which strings have been found in tune during this run, and the confirmation latches that
// limit each string to one pending latch reset at a time, with the player's settings worked out
// for the tuner. Only the settings are kept between runs, by their owner.
struct TunerState {
    // The tuning the browser shows, 1..setup.tuningCount() (1..4 with the default settings);
    // every reader ignores other values. Changed only by the tuning browser, and when a tuning is
    // chosen by name at start-up.
    std::uint64_t tuningIndex = 1;
    // What each string of each browsed tuning is tuned to.
    TuningSetup setup;
    // Index k-1 is string k. Set by a string's in-tune hook and kept for the rest of the run.
    std::array<bool, kStringCount> tunedFlags{};
    // Index k-1 is string k. Set by the hook when it schedules a reset; cleared by the reset.
    std::array<bool, kStringCount> confirmationLatches{};

    // Whether the tuning index names a tuning of the browser.
    bool hasTuning() const { return setup.hasTuning(tuningIndex); }

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
