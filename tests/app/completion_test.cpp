// The bash completion, run by bash as bash-completion would run it, against a device list of the
// test's own.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// What bash prints for `script`, the completion loaded first; a stand-in for bash-completion's
// own helpers, and `strumwise devices` answering with a list of the test's own.
std::string bashOutput(const std::string& script) {
    const std::string prelude = R"(
_init_completion() {
    words=("${COMP_WORDS[@]}") cword=$COMP_CWORD
    cur=${words[cword]} prev=${words[cword - 1]}
}
_filedir() { :; }
source ")" STRUMWISE_COMPLETION R"("
strumwise() {
    printf '%s\n' 'input devices:' \
        '  *   0  USB Microphone (usb_mic), 1 channel, 44100 Hz, default' \
        '      1  Monitor of Kitchen Speakers (kitchen.monitor), 2 channels, 48000 Hz' \
        'output devices:' \
        '  *   2  Kitchen Speakers (kitchen), 2 channels, 48000 Hz, default'
}
offered() {
    COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMPREPLY=()
    _strumwise
    printf '%s|' "${COMPREPLY[@]}"
    echo
}
)";
    const std::string file = ::testing::TempDir() + "completion_test.sh";
    if (FILE* out = std::fopen(file.c_str(), "w")) {
        std::fputs((prelude + script).c_str(), out);
        std::fclose(out);
    }
    std::string output;
    if (FILE* bash = ::popen(("bash " + file).c_str(), "r")) {
        char chunk[4096];
        while (const std::size_t got = std::fread(chunk, 1, sizeof chunk, bash)) {
            output.append(chunk, got);
        }
        ::pclose(bash);
    }
    return output;
}

// After a device option, the devices of its direction, by the listed names the option takes,
// quoted for the command line and narrowed by what was typed, quoted or not.
TEST(Completion, OffersTheListedDevicesOfTheOptionsDirection) {
    EXPECT_EQ(bashOutput(R"(
offered strumwise --input-device ''
offered strumwise --output-device K
offered strumwise --screen phone:667 --input-device 'USB\ M'
offered strumwise --input-device '"Monitor'
)"),
              "USB\\ Microphone\\ \\(usb_mic\\)|Monitor\\ of\\ Kitchen\\ Speakers\\ \\(kitchen."
              "monitor\\)|\n"
              "Kitchen\\ Speakers\\ \\(kitchen\\)|\n"
              "USB\\ Microphone\\ \\(usb_mic\\)|\n"
              "Monitor\\ of\\ Kitchen\\ Speakers\\ \\(kitchen.monitor\\)|\n");
}

}  // namespace
