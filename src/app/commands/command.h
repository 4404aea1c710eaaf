#pragma once

#include <span>
#include <string_view>

namespace strumwise::app {

// One subcommand of the strumwise executable. `run` gets the arguments after the command's
// name and answers the exit status: 0 for success, 2 for bad arguments or unreadable input.
struct Command {
    std::string_view name;
    std::string_view usage;    // the synopsis line, for example "estimate FILE"
    std::string_view summary;  // one sentence for the command list
    int (*run)(std::span<const std::string_view> args);
};

// The exit status for bad arguments and unreadable files.
inline constexpr int kExitUsage = 2;

}  // namespace strumwise::app
