// The one option parser every command uses, and the --screen value it hands on.

#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/screen_option.h"

namespace strumwise::app {
namespace {

constexpr AcceptedOption kAccepted[] = {{"--screen", true}, {"-o", true}, {"--json"}};

// The parse as one line: options as name=value, operands in brackets, or the error.
std::string parsedText(std::vector<std::string_view> args) {
    CommandLine parsed;
    if (std::string error = parseCommandLine(args, kAccepted, parsed); !error.empty()) {
        return "error: " + error;
    }
    std::string text = parsed.help ? "help" : "";
    for (const auto& [name, value] : parsed.options) {
        text.append(" ").append(name).append("=").append(value);
    }
    for (const auto operand : parsed.operands) {
        text.append(" [").append(operand).append("]");
    }
    return text;
}

TEST(CommandLine, ReadsValuesEitherWayAndEndsOptionsAtTheDoubleDash) {
    const std::vector<std::pair<std::vector<std::string_view>, std::string>> cases{
        {{"--screen", "pad:1024", "a.wav"}, " --screen=pad:1024 [a.wav]"},
        {{"--screen=pad:1024", "--json"}, " --screen=pad:1024 --json="},
        {{"--screen=", "-o", "-"}, " --screen= -o=-"},
        {{"-", "--", "--json", "-o"}, " [-] [--json] [-o]"},
        {{"--", "--"}, " [--]"},
        {{"--json", "--help", "--bogus"}, "help --json="},
        {{"--", "-h"}, " [-h]"},
        {{"--screen"}, "error: option --screen needs a value"},
        {{"--json=1"}, "error: option --json takes no value"},
        {{"-o=x"}, "error: unknown option '-o=x'"},
        {{"--jso\x1b[2J"}, "error: unknown option '--jso\\x1b[2J'"},
    };
    for (const auto& [args, expected] : cases) {
        EXPECT_EQ(parsedText(args), expected) << args.front();
    }
}

TEST(ScreenOption, ReadsIdiomsByNameOrNumberAndRefusesTheRestWithAReason) {
    std::string error;
    const auto pad = parseScreenOption("pad:1133", error);
    ASSERT_TRUE(pad);
    EXPECT_EQ(pad->idiom, 1);
    EXPECT_EQ(pad->height, 1133.0);
    EXPECT_EQ(parseScreenOption("2:667.5", error).value().idiom, 2);
    EXPECT_EQ(parseScreenOption("phone:667.5", error).value().height, 667.5);
    for (const char* bad : {"", "phone", "phone:", ":667", "watch:300", "phone:tall", "phone:-5",
                            "phone:0", "phone:667px", "phone:nan", "phone:inf", "pad:100001"}) {
        error.clear();
        EXPECT_FALSE(parseScreenOption(bad, error)) << bad;
        EXPECT_TRUE(error.starts_with("--screen")) << bad;
    }
}

}  // namespace
}  // namespace strumwise::app
