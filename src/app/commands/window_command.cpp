// strumwise (no command) or strumwise window: the tuner window.

#include <QApplication>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/commands/command.h"
#include "app/desktop_window.h"
#include "pitch/mic_listener.h"
#include "platform/headless/audio_file.h"

namespace strumwise::app {
namespace {

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

    DesktopWindowConfig config;
    config.screen = options.screen;
    config.trace = options.trace;
    if (options.inputPath) {
        auto decoded =
            platform::headless::readAudioFile(*options.inputPath, pitch::MicListener::kSampleRate);
        if (!decoded.error.empty()) {
            std::fprintf(stderr, "strumwise: %s\n", decoded.error.c_str());
            return kExitUsage;
        }
        config.input = std::move(decoded.samples);
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
