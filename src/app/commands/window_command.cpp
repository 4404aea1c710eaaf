// strumwise (no command) or strumwise window: the tuner window.

#include <QApplication>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "adapters/desktop/audio/audio_device_choice.h"
#include "adapters/sound_files/audio_file.h"
#include "app/command_line.h"
#include "app/commands/command.h"
#include "app/desktop_window.h"
#include "app/player_options.h"
#include "app/screen_option.h"
#include "base/printable_text.h"
#include "pitch/mic_listener.h"

namespace strumwise::app {

namespace desktop = platform::desktop;
namespace sound_files = platform::sound_files;

namespace {

// Qt aborts the process when it finds no platform to open a window on; with none named and no
// display to reach, the window cannot open, so the user is told before Qt is asked.
bool displayNamed() {
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

// What the window was asked to open on, as a message names it: the X display, else the Wayland
// one, else the Qt platform named.
std::string displayShown() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const bool platformNamed = platform != nullptr && *platform != '\0';
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        const bool itsPlatform = !platformNamed || std::string_view(platform).starts_with(
                                                       variable[0] == 'D' ? "xcb" : "wayland");
        if (value != nullptr && *value != '\0' && itsPlatform) {
            return "display " + shownName(value);
        }
    }
    return "the Qt platform " + shownName(platformNamed ? platform : "");
}

// Qt's messages while it connects to the display. Qt gives up on a display that does not answer
// with a fatal message and an abort; that becomes one line and exit status 1. The rest are
// handed on once the application is made.
struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};
std::vector<HeldMessage>& heldMessages() {
    static std::vector<HeldMessage> held;
    return held;
}

void holdStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fflush(stdout);
        std::fprintf(stderr, "strumwise: cannot open %s\n", displayShown().c_str());
        std::_Exit(1);
    }
    heldMessages().push_back({type, context.category != nullptr ? context.category : "", text});
}

void passOnHeldMessages(QtMessageHandler handler) {
    for (const HeldMessage& message : heldMessages()) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
        if (handler != nullptr) {
            handler(message.type, context, message.text);
        } else {
            std::fprintf(stderr, "%s\n", message.text.toLocal8Bit().constData());
        }
    }
    heldMessages().clear();
}

// The options of the window command, parsed; an empty error means success.
struct DesktopWindowOptions {
    bool help = false;
    std::optional<std::string> inputPath;
    std::optional<platform::desktop::ScreenProfile> screen;
    DesktopTrace trace = DesktopTrace::Off;
    bool verbose = false;
    bool octaveCheck = true;
    // As given: a device index or name, resolved against the devices when the window opens.
    std::optional<std::string> inputDevice;
    std::optional<std::string> outputDevice;
    // --reference, --tuning, --capo, --fifth and --string, for this run.
    PlayerOptions player;
};

constexpr const char* kDesktopWindowUsage =
    "usage: strumwise [--input FILE] [--screen IDIOM:HEIGHT] [--input-device DEVICE]\n"
    "                 [--output-device DEVICE] [--trace | --json] [--verbose]\n"
    "                 [--no-octave-check] [--reference HZ] [--tuning N|NAME|NOTES]\n"
    "                 [--capo FRET] [--fifth FRET] [--string K]\n"
    "\n"
    "Opens the tuner window on the default microphone and speakers.\n"
    "\n"
    "  --input FILE            play FILE into the tuner in real time instead of the\n"
    "                          microphone, then silence\n"
    "  --screen IDIOM:HEIGHT   the device to lay the window out for: phone or pad and the\n"
    "                          screen height in points (phone:667, pad:1024, ...); default:\n"
    "                          the tallest phone that fits the desktop\n"
    "  --input-device DEVICE   listen to DEVICE, as strumwise devices lists it (its number,\n"
    "                          name or bracketed name, or a unique part of one), for this\n"
    "                          run; default: the microphone chosen on the About page, else\n"
    "                          the system's\n"
    "  --output-device DEVICE  play the reference tones on DEVICE, likewise\n"
    "  --trace                 print every observable platform call as it happens, as\n"
    "                          strumwise headless does\n"
    "  --json                  the same, as JSON Lines\n"
    "  --verbose               print the tuner's own log lines on standard error\n"
    "  --no-octave-check       take the harmonic sum's peak as the pitch even where a weak\n"
    "                          fundamental puts it on the second or third partial\n"
    "  --reference HZ          the pitch of A4, 415.0 to 466.0 Hz in steps of 0.1, for this\n"
    "                          run (default: as the settings keep it, else 440.0)\n"
    "  --tuning N|NAME|NOTES   start on the Nth tuning the arrows show, on one of strumwise\n"
    "                          tunings by name (\"Open D\"), or on five notes, drone first\n"
    "                          (gDGBD, \"G4 D3 G3 B3 D4\")\n"
    "  --capo FRET             a capo on strings 1 to 4 at fret 0 to 7, for this run\n"
    "  --fifth FRET            the fifth string stopped at its own fret 0 to 7 by a spike or\n"
    "                          its capo (fret 2 lies at the neck's 7th), for this run\n"
    "  --string K              read every note against string K (1 to 5), up to an octave\n"
    "                          each way, and light only its lamp, for this run\n"
    "  --help                  show this help\n";

std::string parseDesktopWindowOptions(std::span<const std::string_view> args,
                                      DesktopWindowOptions& options) {
    static constexpr AcceptedOption kAccepted[] = {{"--input", true},
                                                   {"--screen", true},
                                                   {"--input-device", true},
                                                   {"--output-device", true},
                                                   {"--trace"},
                                                   {"--json"},
                                                   {"--verbose"},
                                                   {"--no-octave-check"},
                                                   {"--reference", true},
                                                   {"--tuning", true},
                                                   {"--capo", true},
                                                   {"--fifth", true},
                                                   kLockOption};
    CommandLine parsed;
    std::string parseError = parseCommandLine(args, kAccepted, parsed);
    options.help = parsed.help;
    if (!parseError.empty() || options.help) {
        return parseError;
    }
    if (std::string refused = refuseOperands(parsed, "a sound file goes after --input");
        !refused.empty()) {
        return refused;
    }
    for (const auto& [name, value] : parsed.options) {
        if (const auto playerError = readPlayerOption(name, value, options.player)) {
            if (!playerError->empty()) {
                return *playerError;
            }
        } else if (name == "--input") {
            if (value.empty()) {
                return "--input needs a file";
            }
            options.inputPath = std::string(value);
        } else if (name == "--screen") {
            std::string error;
            const auto screen = parseScreenOption(value, error);
            if (!screen) {
                return error;
            }
            options.screen = desktop::screenProfile(screen->idiom, screen->height);
        } else if (name == "--verbose") {
            options.verbose = true;
        } else if (name == "--no-octave-check") {
            options.octaveCheck = false;
        } else if (name == "--input-device" || name == "--output-device") {
            if (value.empty()) {
                return std::string(name) + " needs a device index or name";
            }
            (name == "--input-device" ? options.inputDevice : options.outputDevice) =
                std::string(value);
        } else if (name == "--trace") {
            options.trace = DesktopTrace::Text;
        } else {
            options.trace = DesktopTrace::Json;
        }
    }
    return {};
}

int runWindowCommand(std::span<const std::string_view> args) {
    DesktopWindowOptions options;
    if (const std::string error = parseDesktopWindowOptions(args, options); !error.empty()) {
        std::fprintf(stderr, "strumwise: %s (see strumwise --help)\n", error.c_str());
        return kExitUsage;
    }
    if (options.help) {
        std::fputs(kDesktopWindowUsage, stdout);
        return 0;
    }
    if (!displayNamed()) {
        std::fputs(
            "strumwise: no display \u2014 set DISPLAY or WAYLAND_DISPLAY, or use `strumwise "
            "headless`\n",
            stderr);
        return 1;
    }

    DesktopWindowConfig config;
    config.screen = options.screen;
    config.trace = options.trace;
    config.verbose = options.verbose;
    config.octaveCheck = options.octaveCheck;
    if (options.inputDevice || options.outputDevice) {
        // Refused before the window opens, as a wrong file is.
        const desktop::AudioDeviceList list = desktop::listAudioDevices();
        for (const auto& [request, direction, chosen] :
             {std::tuple{options.inputDevice, desktop::AudioDirection::Input, &config.inputDevice},
              std::tuple{options.outputDevice, desktop::AudioDirection::Output,
                         &config.outputDevice}}) {
            if (!request) {
                continue;
            }
            const desktop::AudioDeviceLookup found =
                desktop::findAudioDevice(list.devices, *request, direction);
            if (!found.device) {
                std::fprintf(stderr, "strumwise: %s\n",
                             list.error.empty() ? found.error.c_str() : list.error.c_str());
                return kExitUsage;
            }
            *chosen = found.device;
        }
    }
    if (options.inputPath) {
        // Opened once, and tried here so that a file that cannot be used is refused before the
        // window opens; each capture queue then reads it from its start, and a pipe or FIFO,
        // which can be read only once, is kept whole for them as it is read now.
        std::string error;
        std::shared_ptr<sound_files::SoundSource> source =
            sound_files::SoundSource::open(*options.inputPath, error);
        if (!source ||
            !sound_files::AudioFileReader::open(source, pitch::MicListener::kSampleRate, error)) {
            std::fprintf(stderr, "strumwise: %s\n", error.c_str());
            return kExitUsage;
        }
        config.input = [source = std::move(source)]() -> std::unique_ptr<platform::SampleReader> {
            std::string ignored;
            return sound_files::AudioFileReader::open(source, pitch::MicListener::kSampleRate,
                                                      ignored);
        };
    }

    // Qt keeps pointers to these for the application's life.
    static int qtArgc = 1;
    static char qtName[] = "strumwise";
    static char* qtArgv[] = {qtName, nullptr};
    const QtMessageHandler previousHandler = qInstallMessageHandler(&holdStartMessage);
    QApplication application(qtArgc, qtArgv);
    qInstallMessageHandler(previousHandler);
    passOnHeldMessages(previousHandler);
    QApplication::setApplicationName(QStringLiteral("Strumwise"));
    QApplication::setDesktopFileName(QStringLiteral("com.strumwise.tuner"));

    DesktopWindowApp window(std::move(config));
    if (const std::string error = window.setUpPlayer(options.player); !error.empty()) {
        std::fprintf(stderr, "strumwise: %s (see strumwise --help)\n", error.c_str());
        return kExitUsage;
    }
    window.launch();
    return window.exec();
}

}  // namespace

extern const Command kWindowCommand{
    .name = "window",
    .usage = "[window] [--input FILE] [options]",
    .summary = "opens the tuner window (the default; see strumwise window --help)",
    .run = &runWindowCommand,
};

}  // namespace strumwise::app
