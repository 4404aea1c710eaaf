#pragma once

#include <array>
#include <functional>
#include <string_view>

#include "platform/view_toolkit.h"
#include "tuner/held_reading.h"
#include "tuner/pitch_source.h"
#include "tuner/tuner_state.h"
#include "view/outlets.h"
#include "view/screen_hooks.h"

namespace strumwise::tuner {

// The tuner's heartbeat, run ten times a second: it reads the level and the pitch, and shows
// silence, leaves the screen alone in the dead band, or shows the measured frequency and, when
// it falls in a string's window, that string as in tune. Where the note reading plainly
// contradicts the estimate, the reading decides (see one_reading.h). What the screen names
// (silence, the tuned string, the in-tune hooks) goes through the screen's hooks.
class TunerTick {
  public:
    static constexpr double kPeriodSeconds = 0.1;
    // Below this average power the screen shows silence.
    static constexpr double kSilenceBelow = 0.002;
    // Above this average power the pitch is shown and matched. Between the two thresholds
    // (both ends included) nothing changes, so a fading string does not flicker.
    static constexpr double kMeasureAbove = 0.0045;
    // The lamp's pictures for its two views (64 and 128 points): green while a string is in
    // tune, yellow otherwise.
    static constexpr std::array<std::string_view, 2> kInTuneLamps{"green64.png", "green128.png"};
    static constexpr std::array<std::string_view, 2> kWaitingLamps{"yellow64.png", "yellow128.png"};

    TunerTick(const view::Outlets& outlets, PitchSource& pitch, const TunerState& state,
              view::ScreenHooks& hooks, const platform::Images& images);

    // One tick.
    void tickFree();
    // Draws the silence look: empty labels, indicator hidden, yellow lamps. The tick asks for it
    // through the screen's displayNoStrings, which lands here.
    void displayNoStrings();

    // Runs as the last action of a loud tick whose pitch matched no string.
    void setUnmatchedLoudTickHandler(std::function<void()> handler);
    // Runs at the end of every tick, after everything above, with the tick's average power
    // and the pitch the screen shows (see HeldReading; 0 for none): the meters draw from it
    // without touching the tick's own writes.
    void setAfterTickHandler(std::function<void(double power, double shownHertz)> handler);

  private:
    void show(double power, double frequency, const pitch::NoteReading& reading);
    void displayMatch(int string);

    const view::Outlets& outlets_;
    PitchSource& pitch_;
    const TunerState& state_;
    view::ScreenHooks& hooks_;
    const platform::Images& images_;
    std::function<void()> unmatchedLoudTick_;
    std::function<void(double, double)> afterTick_;
    HeldReading held_;
};

}  // namespace strumwise::tuner
