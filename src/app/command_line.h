#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace strumwise::app {

// One option a command accepts: its name as typed ("--screen", "-o") and whether a value
// follows it.
struct AcceptedOption {
    std::string_view name;
    bool takesValue = false;
};

// One option as given, with its value when it takes one.
struct GivenOption {
    std::string_view name;
    std::string_view value;
};

// A command's arguments sorted into options, in the order given, and operands (file names).
struct CommandLine {
    bool help = false;  // --help or -h: the rest is not read
    std::vector<GivenOption> options;
    std::vector<std::string_view> operands;
};

// The one option parser of every command. A value follows its option as the next argument or
// after '=' ("--screen pad:1024", "--screen=pad:1024"); "--" ends the options, so that every
// later argument is an operand even when it starts with '-'; a lone "-" is an operand. Answers
// one line that says what is wrong, or nothing when `parsed` holds the arguments.
std::string parseCommandLine(std::span<const std::string_view> args,
                             std::span<const AcceptedOption> accepted, CommandLine& parsed);

// For a command that takes no operands: one line naming the first operand given, with `hint`
// saying where such an argument belongs; nothing when there is none.
std::string refuseOperands(const CommandLine& parsed, std::string_view hint);

}  // namespace strumwise::app
