#pragma once

#include <memory>
#include <string>
#include <vector>

#include "adapters/headless/file_audio_input.h"
#include "adapters/headless/headless_platform.h"
#include "adapters/headless/rating_platform.h"
#include "app/player_options.h"
#include "rating/rating_prompt.h"
#include "rating/rating_settings.h"
#include "screen/listener_microphone.h"
#include "screen/view_controller.h"
#include "tones/tone_generator.h"
#include "tuner/tuner_state.h"

namespace strumwise::app {

class AppDelegate;
class MainScreen;

// A touch of a control at a virtual time.
struct ScheduledPress {
    std::string action;
    platform::headless::Micros time = 0;
};

struct HeadlessRunConfig {
    // Screen profile, user-defaults store and trace output of the platform.
    platform::headless::HeadlessConfig platform;
    // What the microphone hears from the start of the run; nullptr: silence.
    std::shared_ptr<const platform::headless::MicrophoneSignal> microphone;
    // The tuning shown after start-up, 1..4, reached by pressing the next-tuning arrow.
    int tuning = 1;
    std::vector<ScheduledPress> presses;
    // The network, store and user answers the rating prompt meets.
    platform::headless::HeadlessRatingConfig rating;
    // Whether the listener checks its estimates' octave.
    bool octaveCheck = true;
};

// The whole application without a window: the headless platform, the tuner's state, the
// microphone listener, the tone generator, the rating prompt and the launch sequence that
// installs the main screen for the configured screen, all on the virtual clock. Each instance
// has state of its own (no process-wide objects), so a process can run several in turn.
class HeadlessApp {
  public:
    explicit HeadlessApp(HeadlessRunConfig config);
    ~HeadlessApp();
    HeadlessApp(const HeadlessApp&) = delete;
    HeadlessApp& operator=(const HeadlessApp&) = delete;

    // Sets the player up before launch: the settings the user defaults keep, the run's options on
    // top, each change from the default traced as `setting NAME VALUE`, and the tuning --tuning
    // chose. Answers the one line that says why --tuning fits no tuning, changing nothing then.
    std::string setUpPlayer(const PlayerOptions& options);

    // Launches the application at the current virtual time: the launch sequence (rating
    // settings, the layout for the screen class installed in the window with its controller's
    // viewDidLoad and viewWillAppear, the launch report to the rating prompt), then the arrow
    // presses that select the tuning, and the scheduled presses. Answers false when the screen
    // class has no layout; the application then runs without a screen.
    bool launch();

    void runUntil(platform::headless::Micros time) { platform_.runLoop().runUntil(time); }

    // Ends the run: the trace stops and the user defaults are written as the platform does at
    // exit. Answers whether the defaults were stored.
    bool finish();

    platform::headless::HeadlessPlatform& platform() { return platform_; }
    tones::ToneGenerator& toneGenerator() { return toneGenerator_; }
    rating::RatingPrompt& ratingPrompt() { return *ratingPrompt_; }
    tuner::TunerState& tunerState() { return tunerState_; }
    // The controller and the plain views of the installed layout; nullptr before launch or
    // without a layout.
    screen::ViewController* controller();
    platform::headless::HeadlessStoryboard* layout() { return layout_; }

  private:
    std::unique_ptr<MainScreen> makeMainScreen(platform::Storyboard& storyboard);

    HeadlessRunConfig config_;
    platform::headless::HeadlessPlatform platform_;
    tuner::TunerState tunerState_;
    tones::ToneGenerator toneGenerator_;
    std::unique_ptr<screen::ListenerMicrophone> microphone_;
    platform::headless::HeadlessRatingPlatform ratingPlatform_;
    rating::RatingSettings ratingSettings_;
    std::unique_ptr<rating::RatingPrompt> ratingPrompt_;
    std::unique_ptr<AppDelegate> delegate_;
    platform::headless::HeadlessStoryboard* layout_ = nullptr;
    // The browser number the next arrow is pressed up to at launch.
    std::uint64_t arrowIndex_;
};

// The layout names of every listed screen class, as the headless resources hold them.
std::vector<std::string> headlessLayoutNames();

}  // namespace strumwise::app
