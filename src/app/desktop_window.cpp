#include "app/desktop_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <chrono>
#include <cstdio>

#include "adapters/desktop/audio/audio_device_choice.h"
#include "adapters/desktop/audio/chosen_microphone.h"
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
#include "adapters/desktop/views/qt_device_list_refresh.h"
#include "adapters/desktop/views/qt_focus_ring.h"
#include "adapters/desktop/views/qt_images.h"
#include "adapters/desktop/views/qt_keyboard.h"
#include "adapters/desktop/views/qt_player_settings.h"
#include "adapters/desktop/views/qt_playing_fork.h"
#include "adapters/desktop/views/qt_storyboard.h"
#include "adapters/desktop/views/qt_string_lock.h"
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

// A log that keeps what it is told to itself.
struct SilentLog final : platform::Log {
    void write(std::string_view) override {}
};

// The microphone remembered from an earlier run, by what was remembered of it, when the sound
// server does not list it now: still the player's choice, to be listened to once it is back.
desktop::AudioDeviceDescription unpluggedMicrophone(const std::string& id) {
    return {.index = -1,
            .id = id,
            .name = id,
            .hostApi = "PulseAudio",
            .onServer = true,
            .inputChannels = 1};
}

QString quoted(const std::string& name) {
    return QString(QChar(0x201C)) + QString::fromStdString(name) + QChar(0x201D);
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
            SilentLog unsaid;  // a remembered microphone that is gone is said once it is listed
            inputDevice = config.inputDevice
                              ? config.inputDevice
                              : desktop::rememberedAudioDevice(
                                    devices, inputName, desktop::AudioDirection::Input, unsaid);
            microphoneInput->setDevice(inputDevice ? desktop::targetOf(*inputDevice)
                                                   : desktop::AudioDeviceTarget{});
            if (!inputDevice && inputName) {
                inputDevice = unpluggedMicrophone(*inputName);
            }
            chosenInput.choose(inputDevice);
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
            .inputDevice = inputDevice,
            .outputDevice = outputDevice,
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
                    chosenInput.choose(chosen);
                    microphone->setNote({});
                    microphoneInput->setDevice(chosen ? desktop::targetOf(*chosen)
                                                      : desktop::AudioDeviceTarget{});
                    listenAgain();
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
        audioPanel = desktop::addAboutPageControls(*layout->rootWidget(), audioSettings());
        // The sound server's devices as they come and go: offered on the About page, and the
        // chosen microphone followed.
        deviceWatch = std::make_unique<desktop::QtDeviceListRefresh>(
            &desktop::listSoundServerDevices,
            [this](const std::vector<desktop::AudioDeviceDescription>& listed) {
                devicesListed(listed);
            });
        if (audioPanel != nullptr) {
            deviceWatch->refreshWhenShown(*audioPanel);
        }
        deviceWatch->refresh();
        addPlayerSettings(*layout, *window);
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

    // The player's settings page and the lock on the strings' captions, both kept showing the
    // settings as they are after every change, which --trace prints as the command line's are.
    void addPlayerSettings(desktop::QtStoryboard& layout, QWidget& window) {
        MainScreen* screen = delegate ? delegate->mainScreen() : nullptr;
        if (screen == nullptr) {
            return;
        }
        screen::ViewController& controller = screen->controller();
        settingsPanel = desktop::QtPlayerSettingsPanel::addToSettingsArea(
            *layout.rootWidget(),
            {controller.playerSettings(),
             [&controller] { return controller.referenceFromHeardNote(); }, bundle});
        stringLock = new desktop::QtStringLock(window, layout);  // the window owns it
        stringLock->show(controller.playerSettings().settings().lockedString);
        controller.setSettingsChangedHandler([this](const tuner::PlayerSettings& before,
                                                    const tuner::PlayerSettings& after) {
            if (config.trace != DesktopTrace::Off) {
                for (const tuner::SettingChange& change : tuner::settingChanges(before, after)) {
                    trace::traceSettingChange(sink, change.name, change.value);
                }
            }
            if (settingsPanel != nullptr) {
                settingsPanel->showSettings();
            }
            if (stringLock != nullptr) {
                stringLock->show(after.lockedString);
            }
        });
    }

    // A new listener opens the device the capture is set to now.
    void listenAgain() {
        microphone->stop();
        microphone->listen();
    }

    // The chosen microphone unplugged: the tuner listens to the server's default meanwhile and
    // says so on the status line; plugged in again: to it again.
    void devicesListed(const std::vector<desktop::AudioDeviceDescription>& listed) {
        if (audioPanel != nullptr) {
            audioPanel->showDevices(listed);
        }
        if (!microphoneInput) {
            return;
        }
        switch (chosenInput.update(listed)) {
            case desktop::ChosenMicrophone::Change::Gone:
                microphoneInput->setDevice({});
                listenAgain();
                log.write("The microphone \"" + printableText(chosenInput.chosen()->name) +
                          "\" is gone; listening to " +
                          (chosenInput.heard().empty()
                               ? std::string("the default")
                               : std::string(1, '"')
                                     .append(printableText(chosenInput.heard()))
                                     .append(1, '"')) +
                          " until it is back");
                break;
            case desktop::ChosenMicrophone::Change::Back:
                microphoneInput->setDevice(desktop::targetOf(*chosenInput.chosen()));
                listenAgain();
                log.write("The microphone \"" + printableText(chosenInput.chosen()->name) +
                          "\" is back; listening to it again");
                break;
            case desktop::ChosenMicrophone::Change::None:
                break;
        }
        microphone->setNote(chosenInput.gone() ? unpluggedNote() : std::string());
    }

    std::string unpluggedNote() const {
        const QString heard = chosenInput.heard().empty()
                                  ? QCoreApplication::translate("Localizable", "the default")
                                  : quoted(chosenInput.heard());
        return QCoreApplication::translate("Localizable", "%1 unplugged \u2014 listening to %2")
            .arg(quoted(chosenInput.chosen()->name), heard)
            .toStdString();
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
    // Owned by the window; they work on the main screen's settings, so they go before it.
    QPointer<desktop::QtPlayerSettingsPanel> settingsPanel;
    QPointer<desktop::QtStringLock> stringLock;
    // The browser number --tuning asked for, stepped to by the next arrow once the window shows.
    std::uint64_t arrowIndex = 1;
    // The microphone the player chose, followed as the server's devices come and go.
    desktop::ChosenMicrophone chosenInput;
    QPointer<desktop::QtAudioSettingsPanel> audioPanel;
    // Last, so that no list arrives once anything it reaches has gone.
    std::unique_ptr<desktop::QtDeviceListRefresh> deviceWatch;
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
    // The device watch first, so that no device change restarts the capture; then the controls
    // that change the screen's settings, then the screen itself (its timer and tone unit), then
    // capture, then background work, then the rating prompt that work may still use; what they
    // wrote to the defaults is then complete.
    p.deviceWatch.reset();
    delete p.settingsPanel.data();
    delete p.stringLock.data();
    p.delegate.reset();
    p.microphone->stop();
    p.dispatch.waitForDone();
    p.ratingPrompt.reset();
    const bool written = p.services->defaults.synchronize();
    if (!written && !p.defaults.leavesFileAlone()) {
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
