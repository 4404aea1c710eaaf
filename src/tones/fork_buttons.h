#pragma once

#include <cstdint>
#include <string_view>

#include "tones/tone_generator.h"
#include "tones/tone_unit.h"
#include "tuner/tuner_state.h"
#include "view/outlets.h"

namespace strumwise::tones {

// The five tuning-fork buttons of the main screen and the stop action. Each play action shows
// and plays the reference tone of its string in the current tuning, as the string sounds with the
// player's reference pitch, capo and spike. Main thread only. The tuner
// state, generator and unit must outlive the ForkButtons; the outlets are copied.
class ForkButtons {
  public:
    // Play state values of `curPlayState`.
    static constexpr std::int64_t kPlaying = 0;
    static constexpr std::int64_t kSilent = 1;

    ForkButtons(const view::Outlets& outlets, const tuner::TunerState& tunerState,
                ToneGenerator& generator, ToneUnit& toneUnit);

    // Titles each fork button with the note of its string in the current tuning; does nothing
    // for a tuning index the browser does not have.
    void displayTuningForkButtons();

    // Plays string 1..5 of the current tuning: shows its note and frequency text, stores its
    // reference frequency and starts the unit (even when it already plays). Does nothing for a
    // tuning index the browser does not have or another string number.
    void play(int stringNumber);
    void playD293_6Hz() { play(1); }
    void playB246_9Hz() { play(2); }
    void playG196Hz() { play(3); }
    void playD146_8Hz() { play(4); }
    void playG392Hz() { play(5); }

    // Stops the unit when a tone is playing; otherwise does nothing.
    void stopFreqPlay();

    // Runs the fork or stop action of that name (view/action_names.h); false for other names.
    bool sendAction(std::string_view name);

    std::int64_t curPlayState() const { return curPlayState_; }
    void setCurPlayState(std::int64_t state) { curPlayState_ = state; }

  private:
    platform::Button* buttons_[5];
    platform::Label* tfnoteDisplay_;
    platform::Label* tfFreqLabel_;
    const tuner::TunerState& tunerState_;
    ToneGenerator& generator_;
    ToneUnit& toneUnit_;
    std::int64_t curPlayState_ = kSilent;
};

}  // namespace strumwise::tones
