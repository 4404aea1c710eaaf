// strumwise (no command) or strumwise window: the tuner window.

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/commands/command.h"
#include "app/desktop_window.h"
#include "pitch/mic_listener.h"
#include "platform/desktop/audio_device_choice.h"
#include "platform/headless/audio_file.h"

namespace strumwise::app {
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
    if (options.inputDevice || options.outputDevice) {
        // Refused before the window opens, as a wrong file is.
        namespace desktop = platform::desktop;
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
        // Opened once here so that a file that cannot be used is refused before the window
        // opens; each capture queue then reads it afresh as it plays.
        std::string error;
        if (!platform::headless::AudioFileReader::open(*options.inputPath,
                                                       pitch::MicListener::kSampleRate, error)) {
            std::fprintf(stderr, "strumwise: %s\n", error.c_str());
            return kExitUsage;
        }
        config.input = [path = *options.inputPath]() -> std::unique_ptr<platform::SampleReader> {
            std::string ignored;
            return platform::headless::AudioFileReader::open(path, pitch::MicListener::kSampleRate,
                                                             ignored);
        };
    }

    // Qt keeps pointers to these for the application's life.
    static int qtArgc = 1;
    static char qtName[] = "strumwise";
    static char* qtArgv[] = {qtName, nullptr};
    QApplication application(qtArgc, qtArgv);
    QApplication::setApplicationName(QStringLiteral("Strumwise"));
    QApplication::setDesktopFileName(QStringLiteral("com.strumwise.tuner"));

    DesktopWindowApp window(std::move(config));
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
