// The `strumwise headless` command on sound files, some of which sox renders at test time
// (scripts/setup.sh installs it): its trace, its options and settings, and what it refuses.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "adapters/headless/ini_user_defaults.h"
#include "app/headless_run.h"
#include "support/scratch_folder.h"
#include "support/test_signals.h"

namespace strumwise::app {
namespace {

// The command itself, on files.
class HeadlessCommandTest : public ::testing::Test {
  protected:
    HeadlessCommandTest() { writePluck(pluck, 293.66); }  // D4
    static void writePluck(const std::string& name, double hertz) {
        testing::writeWav(name, testing::pluckedString(hertz, 2.0));  // 28078 samples, exactly 2 s
    }

    // The trace's lines that start with `prefix` after their time.
    std::vector<std::string> linesOf(std::string_view prefix) const {
        std::vector<std::string> found;
        std::istringstream lines(out);
        for (std::string line; std::getline(lines, line);) {
            if (line.compare(line.find(' ') + 1, prefix.size(), prefix) == 0) {
                found.push_back(line);
            }
        }
        return found;
    }

    // A player who has run the tuner five times before tunes all five strings of open G, then
    // strums something that is no string: once every string has been in tune, that loud
    // unmatched sound asks for a review four seconds later. Runs 16 s of that with `options`
    // added and answers the settings stored after it.
    std::unique_ptr<platform::headless::IniUserDefaults> runRated(
        std::vector<std::string> options) {
        std::vector<std::int16_t> strums;
        for (const double hertz : {293.66, 246.94, 196.00, 146.83, 392.00, 350.0}) {
            const auto strum = testing::pluckedString(hertz, 1.5);
            strums.insert(strums.end(), strum.begin(), strum.end());
        }
        testing::writeWav(path("strums.wav"), strums);
        const std::string ini = path("rated.ini");
        std::ofstream(ini) << "[com.strumwise.tuner]\nPlinmoor=true\nnumberOfRuns=5\n";
        options.insert(options.begin(), {path("strums.wav"), "--defaults", ini, "--until", "16"});
        EXPECT_EQ(run(options), 0) << err;
        std::string error;
        return platform::headless::IniUserDefaults::open(ini, "com.strumwise.tuner", error);
    }
    // The time of the first trace line that ends with `event`, or -1.
    double firstTime(std::string_view event) const {
        std::istringstream lines(out);
        for (std::string line; std::getline(lines, line);) {
            if (line.size() > event.size() && line.ends_with(event)) {
                return std::stod(line);
            }
        }
        return -1.0;
    }

    std::string path(const std::string& name) const { return folder.file(name); }
    bool has(std::string_view text) const { return out.find(text) != std::string::npos; }

    // Runs `strumwise headless` with these arguments; answers the exit status and keeps the
    // trace in `out` and the diagnostics in `err`.
    int run(std::vector<std::string> args) {
        std::vector<std::string_view> views(args.begin(), args.end());
        HeadlessOptions options;
        const std::string error = parseHeadlessOptions(views, options);
        if (!error.empty()) {
            err = error;
            return 2;
        }
        std::FILE* outFile = std::tmpfile();
        std::FILE* errFile = std::tmpfile();
        const int status = runHeadless(options, outFile, errFile);
        out = contents(outFile);
        err = contents(errFile);
        return status;
    }

    static std::string contents(std::FILE* file) {
        std::rewind(file);
        std::string text;
        for (int c; (c = std::fgetc(file)) != EOF;) {
            text += static_cast<char>(c);
        }
        std::fclose(file);
        return text;
    }

    testing::ScratchFolder folder{"headless"};
    std::string pluck = path("d4.wav");
    std::string out;
    std::string err;
};

TEST_F(HeadlessCommandTest, PrintsTheTraceUntilSixSecondsAfterTheFileAsTextOrJson) {
    ASSERT_EQ(run({pluck}), 0) << err;
    EXPECT_EQ(err, "");
    EXPECT_TRUE(has("0.000 window install \"Main_iPhone6\"\n"));
    EXPECT_TRUE(has("0.300 noteDisplay text \"D4\"\n"));
    // The first full block is heard at 0.292 s, so the 0.3 s tick is the first to see it: it
    // writes the measurement, then the matched string's label.
    EXPECT_TRUE(has("0.300 freq_label text \"293.5Hz\"\n0.300 tunedString hidden 0\n"));
    // 2 s of file plus 6 s: the last tick is the one at 8 s.
    EXPECT_TRUE(has("\n8.000 "));
    EXPECT_FALSE(has("\n8.100 "));

    const auto lineCount = std::count(out.begin(), out.end(), '\n');
    ASSERT_EQ(run({pluck, "--json"}), 0) << err;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), lineCount);
    EXPECT_TRUE(has(R"({"t":0.3,"target":"noteDisplay","op":"text","value":"D4"})"));

    // The tuning meter, after the tick's own writes: a G3 20 cents sharp in open G reads about
    // +20 on string 3, and the meter goes idle with the silence.
    const std::string sharp = path("g3sharp.wav");
    writePluck(sharp, 196.0 * std::pow(2.0, 20.0 / 1200.0));
    ASSERT_EQ(run({sharp}), 0) << err;
    const auto reading = out.find("0.300 tuningMeter value \"3 G3 +");
    ASSERT_NE(reading, std::string::npos) << out;
    EXPECT_EQ(out.rfind("\n0.300 freq_label text ", reading), out.rfind('\n', reading - 2));
    EXPECT_NEAR(std::stod(out.substr(out.find('+', reading))), 20.0, 0.2);
    EXPECT_LT(reading, out.find(" tuningMeter value \"\"\n", reading));

    // A file of one sample runs until 6 s.
    testing::writeWav(path("tiny.wav"), std::vector<std::int16_t>{1000}, 44100);
    ASSERT_EQ(run({path("tiny.wav")}), 0) << err;
    EXPECT_TRUE(has("\n6.000 "));
    EXPECT_FALSE(has("\n6.100 "));
}

// A fundamental far weaker than its partials, steady for 1.2 s after 0.2 s of silence: the tuner
// reads it at its own 174.8 Hz, and with --no-octave-check the label shows the octave the harmonic
// sum alone finds, as it always did, until the note reading is sure of the note (0.3 s after it
// began); from then on the screen shows that one reading.
TEST_F(HeadlessCommandTest, ChecksTheOctaveUnlessToldNotTo) {
    const std::string weak = path("weak.wav");
    const double hertz = 14039.0 * 408 / 32768;  // F3, 2 cents sharp
    std::vector<std::int16_t> samples(4 * 4096);
    const auto silence = static_cast<std::size_t>(0.2 * 14039);
    for (std::size_t n = silence; n < samples.size(); ++n) {
        double value = 0.0;
        int harmonic = 0;
        for (const double weight : {0.05, 1.0, 0.8, 1.0, 0.6, 0.8}) {
            value += weight * std::sin(2.0 * std::numbers::pi * ++harmonic * hertz *
                                       static_cast<double>(n - silence) / 14039.0);
        }
        samples[n] = static_cast<std::int16_t>(std::lround(4000.0 * value));
    }
    testing::writeWav(weak, samples);
    ASSERT_EQ(run({weak, "--until=1.5"}), 0) << err;
    EXPECT_TRUE(has("0.300 freq_label text \"174.8Hz\"\n")) << out;
    ASSERT_EQ(run({weak, "--until=1.5", "--no-octave-check"}), 0) << err;
    EXPECT_TRUE(has("0.300 freq_label text \"349.6Hz\"\n")) << out;
    EXPECT_TRUE(has("0.500 freq_label text \"174.8Hz\"\n")) << out;
}

// Bad arguments, files and settings are refused before the run: one line, status two and no
// trace. (A reference, a capo or a tuning number out of range is refused by the parser every
// command shares, and the commands' own test reads its words.)
TEST_F(HeadlessCommandTest, BadArgumentsAndFilesAreOneLineAndStatusTwo) {
    std::ofstream(path("bad.ini")) << "not an ini line\n";
    const std::vector<std::vector<std::string>> cases{
        {},
        {pluck, "--press", "playG392Hz:"},
        {pluck, "--press", "tickFree:@1"},
        {pluck, "--until", "soon"},
        {pluck, "--frobnicate"},
        {path("missing.wav")},
        {pluck, "--defaults", path("bad.ini")},
        {pluck, "--tone-out", path("no/such/dir.wav")},
        // A WAV header cannot state the size of some recordings past an hour.
        {pluck, "--tone-out", path("tone.wav"), "--until", "3601"},
        {pluck, "--tone-out", path("tone.wav"), "--until", "0"},
        {pluck, "--reference", "442.05"},
        {pluck, "--string", "0"},
        {pluck, "--tuning", "Open Z"},
        {pluck, "--tuning", "G4 D3 G3 B3 C7"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.empty() ? "" : args.back());
        out.clear();
        EXPECT_EQ(run(args), 2);
        EXPECT_FALSE(err.empty());
        EXPECT_LE(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_EQ(out, "");
    }
}

// A setting given reaches the tuner, not only the trace: a G3 plucked at A4 = 444 lights only
// with that reference. (What a capo and a lock do to what lights and what the meter reads is the
// settings' own rule, checked on the tuner and the running screen.)
TEST_F(HeadlessCommandTest, AGivenReferenceChangesWhatLights) {
    // Plucked as sox plucks, by a delay line whose pitch is rounded to whole samples.
    const std::string g444 = path("g444.wav");
    testing::sox("-n -r 14039 -b 16 -c 1 '" + g444 + "' synth 1.5 pluck " +
                 std::to_string(444.0 * 196.0 / 440.0));
    ASSERT_EQ(run({g444, "--reference", "444", "--until", "1"}), 0) << err;
    EXPECT_TRUE(has("0.000 setting reference 444.0\n"));
    EXPECT_TRUE(has("noteDisplay text \"G3\"\n")) << out;
    EXPECT_TRUE(has("freq_label text \"197.8Hz\"\n")) << out;
    ASSERT_EQ(run({g444, "--until", "1"}), 0) << err;
    EXPECT_FALSE(has("noteDisplay text \"G3\"")) << out;
    EXPECT_FALSE(has(" setting "));
}

// Each setting given differs from the default and is traced once, as its own line at 0 s, in
// text and JSON alike; a tuning named that the arrows show is reached by them, as --tuning N.
TEST_F(HeadlessCommandTest, SettingsGivenAreTracedAndTuningsAreFoundByNameOrNotes) {
    ASSERT_EQ(run({pluck, "--until=0", "--reference=442.5", "--capo=1", "--fifth=2", "--string=4",
                   "--tuning", "Open D"}),
              0)
        << err;
    EXPECT_EQ(linesOf("setting "),
              (std::vector<std::string>{"0.000 setting reference 442.5", "0.000 setting capo 1",
                                        "0.000 setting fifth 2", "0.000 setting string 4",
                                        "0.000 setting tuning \"Open D\""}));
    EXPECT_EQ(linesOf("currentTuningName").front(),
              "0.000 currentTuningName text \"Open D (f#DF#AD), capo 1, 5th at 7\"");
    EXPECT_FALSE(has("press showNextTuning:"));
    ASSERT_EQ(run({pluck, "--until=0", "--json", "--reference=442.5", "--tuning=aDADE"}), 0);
    EXPECT_TRUE(has(R"({"t":0,"target":"setting","op":"reference","value":442.5})")) << out;

    // Named or written out, a tuning the arrows show is stepped to as --tuning 2 steps to it.
    ASSERT_EQ(run({pluck, "--until=0", "--tuning", "2"}), 0);
    const std::string byNumber = out;
    for (const char* named : {"double d", "Double D (aDADE)", "aDADE", "A4 D3 A3 D4 E4"}) {
        ASSERT_EQ(run({pluck, "--until=0", "--tuning", named}), 0) << named;
        EXPECT_EQ(out, byNumber) << named;
    }
    // Notes no tuning has are shown under the name they were given.
    ASSERT_EQ(run({pluck, "--until=0", "--tuning", "aDGBD"}), 0);
    EXPECT_TRUE(has("0.000 setting tuning \"aDGBD\"\n")) << out;
    EXPECT_TRUE(has("currentTuningName text \"aDGBD\""));
    EXPECT_TRUE(has("chartDisplay image \"chartipad_A4_D3_G3_B3_D4.png\""));
}

// The settings the defaults keep are used; a damaged one is said once in the log and the run goes
// on with its default.
TEST_F(HeadlessCommandTest, StoredSettingsAreUsedAndADamagedOneIsLoggedOnce) {
    const std::string ini = path("defaults.ini");
    std::ofstream(ini) << "[com.strumwise.tuner]\nPlinmoor=true\nreferencePitch=\"444.0\"\n"
                          "capoFret=\"two\"\nbrowsedTunings=\"Open D\\nMine\"\n"
                          "customTunings=\"Mine=aEADE\"\n";
    ASSERT_EQ(run({pluck, "--until=0", "--defaults", ini}), 0) << err;
    EXPECT_EQ(linesOf("log \"The stored"),
              std::vector<std::string>{
                  "0.000 log \"The stored capoFret 'two' cannot be read; using the default\""});
    EXPECT_EQ(linesOf("setting "),
              (std::vector<std::string>{"0.000 setting reference 444.0",
                                        "0.000 setting tunings \"Open D, Mine\"",
                                        "0.000 setting custom \"Mine: A4 E3 A3 D4 E4\""}));
    EXPECT_EQ(linesOf("currentTuningName").front(),
              "0.000 currentTuningName text \"Open D (f#DF#AD)\"");
}

// A file cut short while the run hears it: the rest is silence, and stderr says so once.
TEST_F(HeadlessCommandTest, AFileTruncatedWhileItIsHeardIsReportedOnce) {
    struct Truncator {
        std::string file;
        std::string trace;
        bool done = false;
        static ssize_t write(void* self, const char* data, std::size_t size) {
            auto& truncator = *static_cast<Truncator*>(self);
            truncator.trace.append(data, size);
            // Once the first blocks have been heard, the file loses all but its first 0.1 s.
            if (!truncator.done && truncator.trace.find("\n0.6") != std::string::npos) {
                std::filesystem::resize_file(truncator.file, 44 + 2 * 1404);
                truncator.done = true;
            }
            return static_cast<ssize_t>(size);
        }
    };
    Truncator truncator{pluck, {}, false};
    std::FILE* outFile =
        ::fopencookie(&truncator, "w", {nullptr, &Truncator::write, nullptr, nullptr});
    ASSERT_NE(outFile, nullptr);
    std::setvbuf(outFile, nullptr, _IOLBF, 0);
    std::FILE* errFile = std::tmpfile();
    HeadlessOptions options;
    options.file = pluck;
    options.untilSeconds = 4.0;
    EXPECT_EQ(runHeadless(options, outFile, errFile), 0);
    std::fclose(outFile);
    EXPECT_TRUE(truncator.done);
    EXPECT_EQ(contents(errFile), "strumwise headless: " + pluck +
                                     " was cut short while it was read; the tuner heard silence "
                                     "for the rest of it\n");
    // The string rang at first.
    EXPECT_NE(truncator.trace.find("freq_label text"), std::string::npos);
}

TEST_F(HeadlessCommandTest, ADeclinedRatingAlertFollowsTheFirstUnmatchedTickAndIsNeverShownAgain) {
    const auto stored = runRated({"--network", "up", "--answer", "decline"});
    const double firstRequest = firstTime("perform promptToReview after 4.000");
    const double alertShown =
        firstTime("\" [\"Rate Strumwise\", \"Remind me later\", \"No, Thanks\"]");
    ASSERT_GT(firstRequest, 7.0) << out;
    EXPECT_NEAR(alertShown, firstRequest + 4.0, 1e-9);
    EXPECT_NEAR(firstTime("alert answered 0"), alertShown + 1.0, 1e-9);
    EXPECT_TRUE(stored->boolForKey("kRatingPromptDeclinedToRate"));
    // Every later request finds the prompt declined and shows nothing.
    EXPECT_GT(linesOf("run promptToReview").size(), 1u);
    EXPECT_EQ(linesOf("alert \"").size(), 1u);
    EXPECT_EQ(stored->integerForKey("numberOfRuns"), 6);
}

TEST_F(HeadlessCommandTest, ThePlatformsOwnReviewRequestMarksTheVersionRatedAtOnce) {
    const auto stored = runRated({"--network", "up", "--store-review"});
    EXPECT_EQ(linesOf("storeReview request").size(), 1u);
    EXPECT_EQ(linesOf("alert \"").size(), 0u);
    EXPECT_TRUE(stored->boolForKey("kRatingPromptRatedCurrentVersion"));
}

}  // namespace
}  // namespace strumwise::app
