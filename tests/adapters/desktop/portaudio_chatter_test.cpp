#include "adapters/desktop/audio/portaudio_chatter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace strumwise::platform::desktop {
namespace {

// PortAudio's lines go, however the writes cut them; every other line passes whole and in order,
// and a line that is plainly not PortAudio's passes before its end has come.
TEST(PortAudioChatter, TakesOutPortAudiosLinesAndPassesTheRestAtOnce) {
    const std::string chatter =
        "Expression 'AlsaOpen( hostApi, parameters, streamDir, &pcm )' failed in "
        "'src/hostapi/alsa/pa_linux_alsa.c', line: 1768\n";
    const std::string ours = "strumwise: Audio capture stopped; trying the input again every 2 s\n";
    const std::string lookalike = "Expression 'x' is what the player typed\n";
    const std::string all = chatter + ours + chatter + lookalike + chatter;
    for (const std::size_t cut : {all.size(), std::size_t{1}, std::size_t{5}, std::size_t{64}}) {
        PortAudioChatterFilter filter;
        std::string passed;
        for (std::size_t at = 0; at < all.size(); at += cut) {
            passed += filter.pass(std::string_view(all).substr(at, cut));
        }
        EXPECT_EQ(passed, ours + lookalike) << "in pieces of " << cut;
    }
    PortAudioChatterFilter filter;
    EXPECT_EQ(filter.pass("Qt: a warning"), "Qt: a warning");
    EXPECT_EQ(filter.pass(" that goes on\nExpr"), " that goes on\n");
    EXPECT_EQ(filter.pass("ession"), "");
    EXPECT_EQ(filter.pass("s are fine\n"), "Expressions are fine\n");
}

}  // namespace
}  // namespace strumwise::platform::desktop
