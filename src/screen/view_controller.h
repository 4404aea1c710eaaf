#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "platform/run_loop.h"
#include "platform/services.h"
#include "screen/audio_status_banner.h"
#include "screen/microphone.h"
#include "tones/fork_buttons.h"
#include "tones/tone_generator.h"
#include "tones/tone_unit.h"
#include "tuner/level_display.h"
#include "tuner/player_settings_editor.h"
#include "tuner/reading_picture.h"
#include "tuner/reference_from_note.h"
#include "tuner/screen_look.h"
#include "tuner/tuned_string_indicator.h"
#include "tuner/tuned_strings.h"
#include "tuner/tuner_state.h"
#include "tuner/tuner_tick.h"
#include "tuner/tuning_browser.h"
#include "tuner/tuning_meter.h"
#include "view/outlets.h"
#include "view/screen_hooks.h"

namespace strumwise::screen {

// The controller of the tuner's one screen. It owns the outlets the layout connected and the
// components that draw on them (tick, indicator, browser, fork buttons), forwards every action
// to the component that implements it, and runs the screen's start-up. The components call back
// through its named operations (view::ScreenHooks), which delegate in turn. Main thread only.
//
// The services, the tuner state, the microphone and the tone generator must outlive the
// controller; the run loop's pending handlers refer to it, so it must also outlive their running.
class ViewController final : private view::ScreenHooks {
  public:
    ViewController(platform::Services& services, const view::Outlets& outlets,
                   tuner::TunerState& tunerState, Microphone& microphone,
                   tones::ToneGenerator& toneGenerator);
    ViewController(const ViewController&) = delete;
    ViewController& operator=(const ViewController&) = delete;

    // Start-up: once when the layout has been loaded, and each time the screen is about to
    // appear.
    void viewDidLoad();
    void viewWillAppear(bool animated);

    // Runs the action of that name (view/action_names.h); false for a name it does not know.
    bool sendAction(std::string_view name);

    // The tuner tick and what it shows.
    void tickFree();
    void displayNoStrings() override;
    void displayTunedString(std::int64_t string) override;
    // The in-tune hooks of strings 1 to 5, run by the tick on a match. They make no sound.
    void play1stSoundOnce() override;
    void play2ndSoundOnce() override;
    void play3rdSoundOnce() override;
    void play4thSoundOnce() override;
    void play5thSoundOnce() override;
    void resetTuningBools();

    // The tuning browser. A tuning change also re-titles the fork buttons, so that each button
    // says what it plays.
    void displayTunings();
    void displayNotes() override;
    void showPreviousTuning();
    void showNextTuning();

    // The reference tones.
    void setupAudio();
    void displayTuningForkButtons();
    std::uint64_t curTone() const;
    void setCurTone(std::uint64_t waveShape);
    std::int64_t curPlayState() const;
    void setCurPlayState(std::int64_t state);

    // The player's settings, changed while the tuner runs; a change redraws the browser and
    // re-titles the forks, then tells the handler below.
    tuner::PlayerSettingsEditor& playerSettings() { return playerSettings_; }
    void setSettingsChangedHandler(
        std::function<void(const tuner::PlayerSettings& before, const tuner::PlayerSettings& after)>
            handler);
    // "Take it from a note": the reference that puts the note the last tick heard exactly in
    // tune, or why there is none. It changes nothing; the player keeps it or not.
    tuner::ReferenceFromNote referenceFromHeardNote() const;

    // Runs as the last action of a loud tick that matched no string (the review request).
    void setUnmatchedLoudTickHandler(std::function<void()> handler);
    // Receives the actions that leave the application: the maker's site, the review page and
    // the sibling applications' store pages.
    void setLinkActionHandler(std::function<void(std::string_view action)> handler);

  private:
    bool sendLinkAction(std::string_view name);
    void settingsChanged(const tuner::PlayerSettings& before);

    // What the last tick heard, for "take it from a note": its level and the pitch the screen
    // shows, which is a note's only once the note reading is sure of one.
    struct HeardSound {
        double power = 0.0;
        double shownHertz = 0.0;
        bool steady = false;
    };

    const view::Outlets outlets_;
    platform::Services& services_;
    Microphone& microphone_;
    tones::ToneGenerator& toneGenerator_;

    tuner::TunedStringIndicator indicator_;
    tuner::TunedStrings tunedStrings_;
    tuner::TunerTick tick_;
    // The meter draws through the look keeper, which weighs the matched look against it.
    tuner::ScreenLookKeeper screenLook_;
    tuner::TuningMeter tuningMeter_;
    tuner::ReadingPicture readingPicture_;
    tuner::LevelDisplay levelDisplay_;
    tuner::TuningBrowser browser_;
    tones::ToneUnit toneUnit_;
    tones::ForkButtons forkButtons_;
    AudioStatusBanner audioStatusBanner_;
    tuner::PlayerSettingsEditor playerSettings_;
    HeardSound heard_;
    std::function<void(std::string_view)> linkActionHandler_;
    std::function<void(const tuner::PlayerSettings&, const tuner::PlayerSettings&)>
        settingsChangedHandler_;

    // Fires the tick, and brings the audio status banner up to date, every 0.1 s from
    // viewDidLoad on, for as long as the controller lives.
    std::unique_ptr<platform::RunLoop::Timer> timer_;
};

}  // namespace strumwise::screen
