// strumwise headless: the whole application without a window, FILE as the microphone, on
// virtual time, printing every observable platform call as a trace.

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "app/commands/command.h"
#include "app/headless_run.h"

namespace strumwise::app {
namespace {

int runHeadlessCommand(std::span<const std::string_view> args) {
    HeadlessOptions options;
    if (const std::string error = parseHeadlessOptions(args, options); !error.empty()) {
        std::fprintf(stderr, "strumwise headless: %s (see strumwise headless --help)\n",
                     error.c_str());
        return kExitUsage;
    }
    if (options.help) {
        std::fwrite(kHeadlessUsage.data(), 1, kHeadlessUsage.size(), stdout);
        return 0;
    }
    return runHeadless(options, stdout, stderr);
}

}  // namespace

extern const Command kHeadlessCommand{
    .name = "headless",
    .usage = "headless FILE [options]",
    .summary = "runs the tuner without a window on FILE, printing a trace",
    .run = &runHeadlessCommand,
};

}  // namespace strumwise::app
