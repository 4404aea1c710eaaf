#pragma once

#include <functional>

#include "platform/view_toolkit.h"
#include "tuner/pitch_source.h"
#include "tuner/tuned_string_indicator.h"
#include "tuner/tuned_strings.h"
#include "tuner/tuner_state.h"
#include "view/outlets.h"

namespace strumwise::tuner {

// The tuner's heartbeat, run ten times a second: it reads the level and the pitch, and shows
// silence, leaves the screen alone in the dead band, or shows the measured frequency and, when
// it falls in a string's window, that string as in tune.
class TunerTick {
  public:
    static constexpr double kPeriodSeconds = 0.1;
    // Below this average power the screen shows silence.
    static constexpr double kSilenceBelow = 0.002;
    // Above this average power the pitch is shown and matched. Between the two thresholds
    // (both ends included) nothing changes, so a fading string does not flicker.
    static constexpr double kMeasureAbove = 0.0045;

    TunerTick(const view::Outlets& outlets, PitchSource& pitch, const TunerState& state,
              TunedStringIndicator& indicator, TunedStrings& tunedStrings,
              const platform::Images& images);

    // One tick.
    void tickFree();
    // The silence look: empty labels, indicator hidden, yellow lamps.
    void displayNoStrings();

    // Runs as the last action of a loud tick whose pitch matched no string.
    void setUnmatchedLoudTickHandler(std::function<void()> handler);

  private:
    void displayMatch(int string);

    const view::Outlets& outlets_;
    PitchSource& pitch_;
    const TunerState& state_;
    TunedStringIndicator& indicator_;
    TunedStrings& tunedStrings_;
    const platform::Images& images_;
    std::function<void()> unmatchedLoudTick_;
};

}  // namespace strumwise::tuner
