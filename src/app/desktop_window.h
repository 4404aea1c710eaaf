#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adapters/desktop/audio/audio_devices.h"
#include "adapters/desktop/system/screen_profile.h"
#include "app/player_options.h"
#include "platform/sample_reader.h"
#include "platform/storyboard.h"

namespace strumwise::platform::desktop {
class QtWindows;
class QtStoryboard;
}  // namespace strumwise::platform::desktop

namespace strumwise::screen {
class ViewController;
}

namespace strumwise::rating {
class RatingPrompt;
}

namespace strumwise::app {

enum class DesktopTrace { Off, Text, Json };

struct DesktopWindowConfig {
    // The device the window pretends to be; empty: the tallest phone that fits the desktop.
    std::optional<platform::desktop::ScreenProfile> screen;
    // Samples at the capture rate played into the capture path in real time instead of the
    // microphone (then silence), read from the start by every capture queue; empty: the default
    // microphone.
    platform::SampleReaderOpener input;
    // Prints every observable platform call on standard output as it happens.
    DesktopTrace trace = DesktopTrace::Off;
    // Shows the logic's own log lines on standard error; with a trace they are trace lines.
    bool verbose = false;
    // Whether the tuner checks its estimates' octave; off reads every block as the harmonic sum
    // alone does.
    bool octaveCheck = true;
    // Devices given for this run; empty: the one chosen on the About page in an earlier run, or
    // else the default.
    std::optional<platform::desktop::AudioDeviceDescription> inputDevice;
    std::optional<platform::desktop::AudioDeviceDescription> outputDevice;
};

// The tuner in a desktop window: the Qt platform, PortAudio (or the input file) for sound, the
// tuner's state, the microphone listener, the tone generator and the main screen for the
// device's screen class. A QApplication must exist; everything else belongs to this object and
// is taken down in order when it is destroyed.
class DesktopWindowApp {
  public:
    explicit DesktopWindowApp(DesktopWindowConfig config);
    ~DesktopWindowApp();
    DesktopWindowApp(const DesktopWindowApp&) = delete;
    DesktopWindowApp& operator=(const DesktopWindowApp&) = delete;

    // Sets the player up before launch: the settings the user defaults keep, the run's options on
    // top (traced, with --trace, as `setting NAME VALUE` where they differ from the default), and
    // the tuning --tuning chose. Answers the one line that says why --tuning fits no tuning.
    std::string setUpPlayer(const PlayerOptions& options);

    // Chooses the layout for the screen class and starts the main screen in its window. When
    // the class has no layout, shows a window that says so and answers false.
    bool launch();

    // Runs the event loop until the last window closes, quit() is called or SIGINT, SIGTERM or
    // SIGHUP arrives; then stops the screen and the audio and writes the user defaults. Answers the
    // exit status.
    int exec();
    void quit();

    // For tests and measurements.
    platform::desktop::QtWindows& windows();
    platform::desktop::QtStoryboard* layout();
    screen::ViewController* controller();
    rating::RatingPrompt& ratingPrompt();
    const platform::desktop::ScreenProfile& profile() const;
    // Stops the screen, the audio and the queues and writes the user defaults; exec() does it
    // on its way out, and so does the destructor. Answers whether the defaults were written.
    bool shutDown();

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace strumwise::app
