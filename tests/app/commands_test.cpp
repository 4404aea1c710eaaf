// The strumwise executable as a user runs it: each command line with its standard output sent
// somewhere, its exit status and what it says on standard error.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "adapters/sound_files/audio_file.h"
#include "strumwise_process.h"
#include "support/scratch_folder.h"
#include "support/test_signals.h"

namespace {

using strumwise::testing::Out;

class Commands : public ::testing::Test {
  protected:
    Commands() {
        const auto samples = strumwise::testing::pluckedString(293.66, 2.0);
        for (const char* name : {"d4.wav", "-d4.wav"}) {
            strumwise::testing::writeWav((directory / name).string(), samples);
        }
    }

    strumwise::testing::ScratchFolder folder{"commands"};
    const std::filesystem::path& directory = folder.path();
};

struct Case {
    std::vector<std::string> args;
    Out out;
    int status;
    // Standard error: the whole of it where this ends a line, else the start of its one line;
    // empty: nothing at all.
    std::string err;
    std::map<std::string, std::string> environment = {};
};

// Runs every case as a user would and checks how it ended and what it said.
void expectOutcomes(const std::filesystem::path& directory, const std::vector<Case>& cases) {
    for (const auto& [args, out, status, err, environment] : cases) {
        SCOPED_TRACE((args.empty() ? std::string("(no arguments)") : args.back()) + " " +
                     std::to_string(static_cast<int>(out)));
        const auto outcome = strumwise::testing::runStrumwise(
            directory, {.args = args, .out = out, .environment = environment});
        EXPECT_EQ(outcome.status, status);
        EXPECT_EQ(err.ends_with('\n') ? outcome.err : outcome.err.substr(0, err.size()), err);
        EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), err.empty() ? 0 : 1)
            << outcome.err;
    }
}

// Output that cannot be written, and a window without a display, cost one line and status one;
// a reader that has gone ends the command quietly, as it ends a filter.
TEST_F(Commands, FailuresAreOneLineAndStatusOneAndAGoneReaderIsQuiet) {
    const std::string full = "could not write the output: No space left on device\n";
    const std::string closed = "could not write the output: Bad file descriptor\n";
    const std::vector<Case> cases{
        {{"estimate", "d4.wav"}, Out::Null, 0, ""},
        {{"estimate", "d4.wav"}, Out::Full, 1, "strumwise estimate: " + full},
        {{"estimate", "d4.wav"}, Out::Closed, 1, "strumwise estimate: " + closed},
        {{"estimate", "d4.wav"}, Out::ReaderGone, 128 + SIGPIPE, ""},
        {{"headless", "d4.wav", "--until=0"}, Out::Full, 1, "strumwise headless: " + full},
        {{"headless", "d4.wav", "--until=0"}, Out::Closed, 1, "strumwise headless: " + closed},
        {{"headless", "d4.wav", "--until=1"}, Out::ReaderGone, 128 + SIGPIPE, ""},
        {{"--help"}, Out::Full, 1, "strumwise: " + full},
        {{"--help"}, Out::Closed, 1, "strumwise: " + closed},
        {{"window", "--help"}, Out::Full, 1, "strumwise window: " + full},
        {{"tone", "--help"}, Out::Closed, 1, "strumwise tone: " + closed},
        // Nothing is printed, so nothing is lost.
        {{"tone", "--tuning=1", "--string=1", "-o", "t.wav"}, Out::Closed, 0, ""},
        {{},
         Out::Null,
         1,
         "strumwise: no display \u2014 set DISPLAY or WAYLAND_DISPLAY, or use `strumwise "
         "headless`\n",
         {{"QT_QPA_PLATFORM", ""}}},
    };
    expectOutcomes(directory, cases);
}

TEST_F(Commands, DoubleDashEndsOptionsValuesFollowEqualsAndNamesAreEscaped) {
    const std::vector<Case> cases{
        {{"estimate", "--", "-d4.wav"}, Out::Null, 0, ""},
        {{"estimate", "--octave-check", "d4.wav"}, Out::Null, 0, ""},
        {{"estimate", "d4.wav", "--octave-check=yes"}, Out::Null, 2, "strumwise estimate: "},
        {{"headless", "--until=0", "--", "-d4.wav"}, Out::Null, 0, ""},
        {{"headless", "--until=0", "--no-octave-check", "d4.wav"}, Out::Null, 0, ""},
        {{"tone", "--tuning=1", "--string=1", "--output=t.wav", "--"}, Out::Null, 0, ""},
        {{"devices", "--", "-x"}, Out::Null, 2, "strumwise devices: takes no arguments, got '-x'"},
        {{"--screen=pad", "--trace"}, Out::Null, 2, "strumwise: --screen wants IDIOM:HEIGHT"},
        {{"--trace", "d4.wav"}, Out::Null, 2, "strumwise: unexpected argument 'd4.wav'"},
        {{"--screen=pad:1024", "--input=no\nsuch\x1b.wav"},
         Out::Null,
         2,
         "strumwise: cannot read no\\nsuch\\x1b.wav: "},
        {{"estimate", "a\tb.wav"}, Out::Null, 2, "strumwise estimate: cannot read a\\tb.wav: "},
        {{"tone", "--tuning=1", "--string=1", "-o", "\x1b/t.wav"},
         Out::Null,
         2,
         "strumwise tone: cannot write \\x1b/t.wav: "},
        {{"estimate", "--bell\a"},
         Out::Null,
         2,
         "strumwise estimate: unknown option '--bell\\x07'"},
    };
    expectOutcomes(directory, cases);
}

TEST_F(Commands, EstimateChecksTheOctaveOnlyWhereABlockHoldsANote) {
    // Dithered silence (a least significant bit of noise) has no octave to check: its estimates
    // stay as the harmonic sum read them. The D4 pluck's do too, since its octave is right.
    std::vector<std::int16_t> dither(3 * 4096);
    unsigned seed = 1;
    for (auto& sample : dither) {
        seed = seed * 1103515245u + 12345u;
        sample = static_cast<std::int16_t>(static_cast<int>((seed >> 16) % 3) - 1);
    }
    strumwise::testing::writeWav((directory / "dither.wav").string(), dither);
    for (const char* name : {"dither.wav", "d4.wav"}) {
        const auto plain = strumwise::testing::runStrumwise(
            directory, {.args = {"estimate", (directory / name).string()}});
        const auto checked = strumwise::testing::runStrumwise(
            directory, {.args = {"estimate", "--octave-check", (directory / name).string()}});
        ASSERT_EQ(plain.status, 0) << plain.err;
        ASSERT_EQ(checked.status, 0) << checked.err;
        EXPECT_EQ(checked.out, plain.out) << name;
    }
}

// The tunings the tuner knows, listed with each string's note and frequency at the reference,
// capo and spike given; and the tone of any of them, as its fork plays it.
TEST_F(Commands, TuningsListsTheLibraryAndToneRendersAnyTuningAtAnyReference) {
    auto outcome = strumwise::testing::runStrumwise(directory, {.args = {"tunings"}});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    // A heading, the four first tunings and at least twelve more.
    EXPECT_GE(std::count(outcome.out.begin(), outcome.out.end(), '\n'), 1 + 4 + 12);
    EXPECT_NE(outcome.out.find("  Open G (gDGBD)                G4 392Hz     D3 146.8Hz   G3 196Hz"
                               "     B3 246.9Hz   D4 293.6Hz\n"),
              std::string::npos)
        << outcome.out;
    outcome = strumwise::testing::runStrumwise(
        directory, {.args = {"tunings", "--reference=444", "--capo=2", "--fifth=2"}});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(
        outcome.out.find("  Open G (gDGBD)                A4 444Hz     E3 166.3Hz   A3 222Hz"),
        std::string::npos)
        << outcome.out;

    // F#3 of open D at A4 = 432: 432 x 2^(-15/12) Hz.
    outcome = strumwise::testing::runStrumwise(
        directory, {.args = {"tone", "--tuning", "Open D", "--string", "3", "--reference", "432",
                             "--wave", "sine", "-o", "fsharp.wav"}});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const auto tone =
        strumwise::platform::sound_files::readAudioFile((directory / "fsharp.wav").string(), 44100);
    EXPECT_NEAR(strumwise::testing::crossingFrequency(tone.samples, 44100),
                432.0 * std::pow(2.0, -15.0 / 12.0), 0.05);

    expectOutcomes(
        directory,
        {
            {{"tunings", "--tuning", "1"}, Out::Null, 2, "strumwise tunings: --tuning is for"},
            {{"tunings", "--reference", "414.9"}, Out::Null, 2, "strumwise tunings: --reference"},
            {{"tunings", "extra"}, Out::Null, 2, "strumwise tunings: "},
            {{"tone", "--tuning", "5", "--string", "1", "-o", "t.wav"},
             Out::Null,
             2,
             "strumwise tone: --tuning N must be 1 to 4"},
            {{"tone", "--tuning", "gDGBD", "--string", "1", "--capo", "9", "-o", "t.wav"},
             Out::Null,
             2,
             "strumwise tone: --capo must be a fret from 0 to 7"},
        });
}

}  // namespace
