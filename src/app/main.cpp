// The strumwise executable: the tuner window by default, or one of the subcommands.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "adapters/desktop/audio/portaudio_chatter.h"
#include "app/commands/command_list.h"
#include "app/commands/standard_streams.h"
#include "base/printable_text.h"

namespace strumwise::app {
extern const Command kWindowCommand;
}

namespace {

using strumwise::app::finishStandardOutput;

void printUsage(std::FILE* out) {
    std::fprintf(out, "usage: strumwise [COMMAND] [ARGS...]\n\ncommands:\n");
    for (const auto& command : strumwise::app::commandList()) {
        std::fprintf(out, "  %-34.*s %.*s\n", static_cast<int>(command.usage.size()),
                     command.usage.data(), static_cast<int>(command.summary.size()),
                     command.summary.data());
    }
    std::fprintf(out,
                 "\nEvery command takes --help; \"--\" ends its options. --version prints "
                 "the version.\n");
}

}  // namespace

int main(int argc, char** argv) {
    strumwise::app::guardStandardStreams();
    // Before any thread exists: PortAudio's lines about each failing ALSA call stay off the
    // terminal, where the tuner says in one line what was lost.
    strumwise::platform::desktop::filterPortAudioChatter();
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        printUsage(stdout);
        return finishStandardOutput("strumwise", 0);
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::printf("strumwise %s\n", STRUMWISE_VERSION);
        return finishStandardOutput("strumwise", 0);
    }
    // No command, or options only: the tuner window.
    if (args.empty() || args[0].starts_with("-")) {
        return finishStandardOutput("strumwise", strumwise::app::kWindowCommand.run(args));
    }
    for (const auto& command : strumwise::app::commandList()) {
        if (command.name == args[0]) {
            const int status = command.run(std::span<const std::string_view>(args).subspan(1));
            return finishStandardOutput("strumwise " + std::string(command.name), status);
        }
    }
    std::fprintf(stderr, "strumwise: unknown command '%s' (see strumwise --help)\n",
                 strumwise::shownName(args[0]).c_str());
    return strumwise::app::kExitUsage;
}
