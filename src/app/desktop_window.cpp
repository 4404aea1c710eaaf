#include "app/desktop_window.h"

#include <QApplication>
#include <chrono>
#include <cstdio>

#include "adapters/desktop/audio/audio_device_choice.h"
#include "adapters/desktop/audio/file_audio_input.h"
#include "adapters/desktop/audio/portaudio_capture.h"
#include "adapters/desktop/audio/portaudio_output.h"
#include "adapters/desktop/rating/qt_rating_alerts.h"
#include "adapters/desktop/rating/qt_rating_network.h"
#include "adapters/desktop/rating/qt_rating_notifications.h"
#include "adapters/desktop/rating/qt_rating_store.h"
#include "adapters/desktop/rating/qt_rating_views.h"
#include "adapters/desktop/settings/qt_user_defaults.h"
#include "adapters/desktop/system/developer_log.h"
#include "adapters/desktop/system/qt_application.h"
#include "adapters/desktop/system/qt_bundle.h"
#include "adapters/desktop/system/qt_device.h"
#include "adapters/desktop/system/qt_dispatch.h"
#include "adapters/desktop/system/qt_quit_on_signal.h"
#include "adapters/desktop/system/qt_run_loop.h"
#include "adapters/desktop/system/stderr_log.h"
#include "adapters/desktop/views/qt_about_page.h"
#include "adapters/desktop/views/qt_focus_ring.h"
#include "adapters/desktop/views/qt_images.h"
#include "adapters/desktop/views/qt_keyboard.h"
#include "adapters/desktop/views/qt_playing_fork.h"
#include "adapters/desktop/views/qt_storyboard.h"
#include "adapters/desktop/views/qt_windows.h"
#include "app/app_delegate.h"
#include "app/main_screen.h"
#include "app/player_setup.h"
#include "base/printable_text.h"
#include "base/settings_keys.h"
#include "pitch/mic_listener.h"
#include "platform/passive_audio_session.h"
#include "platform/services.h"
#include "rating/rating_prompt.h"
#include "rating/rating_settings.h"
#include "screen/listener_microphone.h"
#include "tones/fork_buttons.h"
#include "tones/tone_generator.h"
#include "tones/tone_volume.h"
#include "trace/optionally_traced.h"
#include "trace/trace_alerts.h"
#include "trace/trace_services.h"
#include "trace/trace_sink.h"
#include "tuner/tuner_state.h"
#include "view/action_names.h"

namespace strumwise::app {

namespace desktop = platform::desktop;
namespace trace = platform::trace;

namespace {

trace::TraceSink::Format traceFormat(DesktopTrace trace) {
    return trace == DesktopTrace::Json ? trace::TraceSink::Format::Json
                                       : trace::TraceSink::Format::Text;
}

// The rating alert's events in the trace, as the headless run prints them.
desktop::AlertEvents alertEvents(DesktopTrace trace, trace::TraceSink& sink) {
    if (trace == DesktopTrace::Off) {
        return {};
    }
    return {.shown =
                [&sink](std::string_view title, std::string_view message,
                        const std::vector<std::string>& buttons) {
                    trace::traceAlertShown(sink, title, message, buttons);
                },
            .answered = [&sink](std::int64_t index) { trace::traceAlertAnswered(sink, index); },
            .hidden = [&sink] { trace::traceAlertHidden(sink); }};
}

}  // namespace

// Declaration order is construction order; destruction runs backwards, so the screen goes
// before the listener, the listener before the audio factories, and those before the log.
struct DesktopWindowApp::Parts {
    explicit Parts(DesktopWindowConfig configuration)
        : config(std::move(configuration)),
          started(std::chrono::steady_clock::now()),
          developerLog(log, this->config.verbose),
          sink([this] { return elapsedMicros(); }, traceFormat(this->config.trace),
               this->config.trace == DesktopTrace::Off
                   ? trace::TraceSink::LineWriter([](std::string_view) {})
                   : trace::TraceSink::streamWriter(stdout, true)),
          profile(this->config.screen ? *this->config.screen : desktop::desktopDefaultProfile()),
          device(profile),
          defaults(std::string(desktop::QtBundle::kIdentifier),
                   desktop::QtUserDefaults::defaultFilePath(desktop::QtBundle::kIdentifier), &log),
          application(log),
          windows(profile, std::string(desktop::QtBundle::kName), log),
          output(log),
          traced({developerLog, runLoop, defaults, application, session, output, windows},
                 this->config.trace != DesktopTrace::Off ? &sink : nullptr),
          ratingAlerts(alertEvents(this->config.trace, sink)),
          views([this](const QWidget& window) { return &window == windows.mainWindow(); }) {
        if (this->config.input) {
            fileInput = std::make_unique<desktop::FileAudioInputFactory>(
                this->config.input, pitch::MicListener::kSampleRate, log);
        } else {
            microphoneInput = std::make_unique<desktop::PortAudioInputQueueFactory>(log);
        }
        chooseAudioDevices();
        if (this->config.trace != DesktopTrace::Off) {
            toneGenerator.setFrequencyObserver(
                [this](float hz) { trace::traceToneFrequency(sink, hz); });
        }
        const trace::TraceableServices& seen = traced.services();
        services = std::make_unique<platform::Services>(platform::Services{
            .log = seen.log,
            .clock = clock,
            .runLoop = seen.runLoop,
            .dispatch = dispatch,
            .defaults = seen.defaults,
            .device = device,
            .application = seen.application,
            .bundle = bundle,
            .images = images,
            .audioInput = fileInput ? static_cast<platform::AudioInputQueueFactory&>(*fileInput)
                                    : *microphoneInput,
            .audioOutput = seen.audioOutput,
            .audioSession = &seen.audioSession,
        });
        microphone = std::make_unique<screen::ListenerMicrophone>(*services);
        microphone->setOctaveCheck(this->config.octaveCheck);
        // The application is in front while the tuner's window is; the window the desktop
        // shows for a screen without a layout is not the tuner's.
        windows.setWindowInstalledHandler(
            [this](QWidget& window) { notifications.watchWindow(window); });
        ratingPrompt = std::make_unique<rating::RatingPrompt>(
            rating::RatingServices{services->log, services->clock, services->runLoop,
                                   services->dispatch, services->defaults, services->device,
                                   services->application, services->bundle, nullptr, ratingAlerts,
                                   store, network, views, notifications},
            ratingSettings);
        delegate = std::make_unique<AppDelegate>(
            AppDelegate::Services{services->device, services->log, services->application,
                                  anyWindows(), ratingSettings, *ratingPrompt},
            [this](platform::Storyboard& storyboard) {
                return std::make_unique<MainScreen>(
                    *services, storyboard, tunerState, *microphone, toneGenerator,
                    [this] { rating::RatingPrompt::tryToShowPrompt(*ratingPrompt); });
            });
    }

    // The devices given for this run, or else those chosen in an earlier one, and the tones'
    // volume. The player's own choices are read from the desktop's defaults, untraced: they are
    // no part of the screen's behaviour.
    void chooseAudioDevices() {
        const auto remembered = [this](std::string_view key) {
            std::optional<std::string> name = defaults.stringForKey(key);
            return name && !name->empty() ? name : std::nullopt;
        };
        const auto inputName = fileInput ? std::nullopt : remembered(settings::kInputDeviceKey);
        const auto outputName = remembered(settings::kOutputDeviceKey);
        if ((inputName && !config.inputDevice) || (outputName && !config.outputDevice)) {
            devices = desktop::listAudioDevices().devices;
        }
        if (microphoneInput) {
            inputDevice = config.inputDevice
                              ? config.inputDevice
                              : desktop::rememberedAudioDevice(devices, inputName,
                                                               desktop::AudioDirection::Input, log);
            microphoneInput->setDevice(inputDevice ? desktop::targetOf(*inputDevice)
                                                   : desktop::AudioDeviceTarget{});
        }
        outputDevice = config.outputDevice
                           ? config.outputDevice
                           : desktop::rememberedAudioDevice(devices, outputName,
                                                            desktop::AudioDirection::Output, log);
        output.setDevice(outputDevice ? desktop::targetOf(*outputDevice)
                                      : desktop::AudioDeviceTarget{});
        output.setGain(tones::toneGainForVolume(tones::storedToneVolume(defaults)));
    }

    // The About page's sound settings: what they show, and what a change does to the tuner.
    desktop::AudioSettings audioSettings() {
        return {
            .devices = desktop::listAudioDevices().devices,
            .inputDevice = inputDevice ? std::optional(inputDevice->id) : std::nullopt,
            .outputDevice = outputDevice ? std::optional(outputDevice->id) : std::nullopt,
            .inputIsFile = fileInput != nullptr,
            .volumeDb = tones::storedToneVolume(defaults),
            .volumeChanged =
                [this](double db) {
                    output.setGain(tones::toneGainForVolume(db));
                    tones::storeToneVolume(defaults, db);
                },
            .inputChosen =
                [this](const std::optional<desktop::AudioDeviceDescription>& chosen) {
                    // Remembered by the identifier that stays the same across restarts.
                    defaults.setString(chosen ? chosen->id : std::string(),
                                       settings::kInputDeviceKey);
                    inputDevice = chosen;
                    microphoneInput->setDevice(chosen ? desktop::targetOf(*chosen)
                                                      : desktop::AudioDeviceTarget{});
                    // A new listener opens the chosen device.
                    microphone->stop();
                    microphone->listen();
                },
            .outputChosen =
                [this](const std::optional<desktop::AudioDeviceDescription>& chosen) {
                    defaults.setString(chosen ? chosen->id : std::string(),
                                       settings::kOutputDeviceKey);
                    outputDevice = chosen;
                    // Heard from the next fork pressed.
                    output.setDevice(chosen ? desktop::targetOf(*chosen)
                                            : desktop::AudioDeviceTarget{});
                },
        };
    }

    // What the desktop adds to the main screen once it shows: its controls on the About page, the
    // look of the playing fork, the keys and the focus ring.
    void addDesktopControls() {
        desktop::QtStoryboard* layout = windows.keyStoryboard();
        QWidget* window = windows.mainWindow();
        if (layout == nullptr || window == nullptr) {
            return;
        }
        desktop::addAboutPageControls(*layout->rootWidget(), audioSettings());
        playingFork = std::make_unique<desktop::QtPlayingFork>(*layout->rootWidget(), [this] {
            MainScreen* screen = delegate ? delegate->mainScreen() : nullptr;
            return screen != nullptr &&
                   screen->controller().curPlayState() == tones::ForkButtons::kPlaying;
        });
        layout->setActionObserver(
            [this](std::string_view action) { playingFork->actionSent(action); });
        new desktop::QtKeyboard(*window);   // the window owns it
        new desktop::QtFocusRing(*window);  // and this
    }

    std::int64_t elapsedMicros() const {
        return std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::steady_clock::now() - started)
            .count();
    }

    platform::Windows& anyWindows() { return traced.services().windows; }

    DesktopWindowConfig config;
    std::chrono::steady_clock::time_point started;
    // The desktop's own reports go to `log`; the logic writes to `developerLog`.
    desktop::StderrLog log;
    desktop::DeveloperLog developerLog;
    trace::TraceSink sink;
    desktop::ScreenProfile profile;
    desktop::SystemClock clock;
    desktop::QtRunLoop runLoop;
    desktop::QtDispatch dispatch;
    desktop::QtDevice device;
    desktop::QtUserDefaults defaults;
    desktop::QtApplication application;
    // Installs its translation before any layout is loaded, so the layouts' texts are
    // translated too.
    desktop::QtBundle bundle;
    desktop::QtImages images;
    platform::PassiveAudioSession session;
    desktop::QtWindows windows;
    desktop::PortAudioOutputUnitFactory output;
    std::unique_ptr<desktop::FileAudioInputFactory> fileInput;
    std::unique_ptr<desktop::PortAudioInputQueueFactory> microphoneInput;
    // Known only when a device is remembered; empty: the defaults.
    std::vector<desktop::AudioDeviceDescription> devices;
    std::optional<desktop::AudioDeviceDescription> inputDevice;
    std::optional<desktop::AudioDeviceDescription> outputDevice;

    // The services the logic sees: traced with --trace or --json.
    trace::OptionallyTracedServices traced;
    std::unique_ptr<platform::Services> services;

    tuner::TunerState tunerState;
    tones::ToneGenerator toneGenerator;
    std::unique_ptr<screen::ListenerMicrophone> microphone;

    // The rating prompt's desktop services: a dialog for the alert, the tuner's window for the
    // window tree and for being in front, the interfaces for reachability; no store.
    desktop::QtAlerts ratingAlerts;
    desktop::QtStore store;
    desktop::QtNetwork network;
    desktop::QtViewHierarchy views;
    desktop::QtAppNotifications notifications;
    rating::RatingSettings ratingSettings;
    std::unique_ptr<rating::RatingPrompt> ratingPrompt;
    // The launch sequence; it owns the main screen once the window is installed.
    std::unique_ptr<AppDelegate> delegate;
    std::unique_ptr<desktop::QtPlayingFork> playingFork;
    // The browser number --tuning asked for, stepped to by the next arrow once the window shows.
    std::uint64_t arrowIndex = 1;
    bool shutDown = false;
};

DesktopWindowApp::DesktopWindowApp(DesktopWindowConfig config)
    : parts_(std::make_unique<Parts>(std::move(config))) {}

DesktopWindowApp::~DesktopWindowApp() {
    shutDown();
}

std::string DesktopWindowApp::setUpPlayer(const PlayerOptions& options) {
    Parts& p = *parts_;
    return app::setUpPlayer(p.tunerState, p.services->defaults, p.services->log, options,
                            p.arrowIndex, [&p](const tuner::SettingChange& change) {
                                if (p.config.trace != DesktopTrace::Off) {
                                    trace::traceSettingChange(p.sink, change.name, change.value);
                                }
                            });
}

bool DesktopWindowApp::launch() {
    Parts& p = *parts_;
    p.delegate->applicationDidFinishLaunching();
    if (!p.windows.hasWindow()) {
        p.windows.showNoLayoutWindow();
        return false;
    }
    p.addDesktopControls();
    // The tuning --tuning chose, reached as a player reaches it: by the next arrow.
    if (desktop::QtStoryboard* layout = p.windows.keyStoryboard(); layout != nullptr) {
        QPushButton* next =
            desktop::QtStoryboard::buttonFor(*layout->rootWidget(), view::kNextTuningAction);
        for (std::uint64_t i = 1; next != nullptr && i < p.arrowIndex; ++i) {
            next->click();
        }
    }
    return true;
}

int DesktopWindowApp::exec() {
    desktop::QtQuitOnSignal quitOnSignal([this] { quit(); });
    const int status = QApplication::exec();
    return shutDown() ? status : (status != 0 ? status : 1);
}

void DesktopWindowApp::quit() {
    QCoreApplication::quit();
}

bool DesktopWindowApp::shutDown() {
    Parts& p = *parts_;
    if (p.shutDown) {
        return true;
    }
    p.shutDown = true;
    // The screen first (its timer and tone unit), then capture, then background work, then the
    // rating prompt that work may still use; what they wrote to the defaults is then complete.
    p.delegate.reset();
    p.microphone->stop();
    p.dispatch.waitForDone();
    p.ratingPrompt.reset();
    const bool written = p.services->defaults.synchronize();
    if (!written) {
        p.log.write("The settings could not be written to " +
                    shownName(p.defaults.filePath().toStdString()));
    }
    p.sink.close();
    return written;
}

desktop::QtWindows& DesktopWindowApp::windows() {
    return parts_->windows;
}

rating::RatingPrompt& DesktopWindowApp::ratingPrompt() {
    return *parts_->ratingPrompt;
}

desktop::QtStoryboard* DesktopWindowApp::layout() {
    return parts_->windows.keyStoryboard();
}

screen::ViewController* DesktopWindowApp::controller() {
    MainScreen* screen = parts_->delegate ? parts_->delegate->mainScreen() : nullptr;
    return screen != nullptr ? &screen->controller() : nullptr;
}

const desktop::ScreenProfile& DesktopWindowApp::profile() const {
    return parts_->profile;
}

}  // namespace strumwise::app
