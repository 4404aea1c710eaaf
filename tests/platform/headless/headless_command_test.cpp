#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/headless_app.h"
#include "app/headless_run.h"
#include "platform/headless/audio_file.h"
#include "platform/headless/wav_file.h"
#include "support/test_signals.h"

namespace strumwise::app {
namespace {

namespace headless = platform::headless;

constexpr double kD4 = 293.66;
const double kD4TwentyCentsSharp = kD4 * std::pow(2.0, 20.0 / 1200.0);

// Runs the application on a signal and keeps its trace lines.
struct TracedRun {
    explicit TracedRun(double hertz, int tuning = 1, headless::ScreenProfile screen = {}) {
        HeadlessRunConfig config;
        config.platform.screen = screen;
        config.platform.layoutNames = headlessLayoutNames();
        config.platform.traceWriter = [this](std::string_view line) { lines.emplace_back(line); };
        auto signal = std::make_shared<headless::MicrophoneSignal>();
        signal->samples = testing::pluckedString(hertz, 1.5);
        config.microphone = std::move(signal);
        config.tuning = tuning;
        app = std::make_unique<HeadlessApp>(std::move(config));
        EXPECT_TRUE(app->launch());
    }

    bool traced(const std::string& event) const {
        for (const auto& line : lines) {
            if (line.substr(line.find(' ') + 1) == event) {
                return true;
            }
        }
        return false;
    }
    const headless::HeadlessStoryboard& screen() { return *app->layout(); }

    std::vector<std::string> lines;
    std::unique_ptr<HeadlessApp> app;
};

TEST(HeadlessApp, PluckedD4LightsTheFirstStringThenSilenceDimsTheScreen) {
    TracedRun run(kD4);
    run.app->runUntil(1'000'000);
    EXPECT_EQ(run.screen().labelState("noteDisplay")->text(), "D4");
    EXPECT_EQ(run.screen().labelState("freq_label")->text(), "293.6Hz");
    EXPECT_EQ(run.screen().imageViewState("LEDDisplay")->imageName(), "green64.png");
    EXPECT_EQ(run.screen().imageViewState("LEDDisplay128")->imageName(), "green128.png");
    EXPECT_EQ(run.screen().imageViewState("tunedString5")->imageName(), "1st_string_6.png");
    EXPECT_FALSE(run.screen().imageViewState("tunedString5")->hidden());
    // The first full block is heard at 0.292 s, so the 0.3 s tick is the first to see it: it
    // writes the measurement, then the matched string's reference label, and arms one reset.
    const auto at =
        std::find(run.lines.begin(), run.lines.end(), "0.300 freq_label text \"293.5Hz\"");
    ASSERT_NE(at, run.lines.end());
    EXPECT_EQ(*(at + 1), "0.300 tunedString hidden 0");
    EXPECT_TRUE(run.traced("perform resetTuningBools after 5.000"));
    EXPECT_TRUE(run.app->tunerState().tunedFlags[0]);

    run.app->runUntil(2'500'000);  // the 1.5 s pluck and a full block of silence after it
    EXPECT_EQ(run.screen().labelState("freq_label")->text(), "");
    EXPECT_EQ(run.screen().labelState("noteDisplay")->text(), "");
    EXPECT_EQ(run.screen().imageViewState("LEDDisplay")->imageName(), "yellow64.png");
    EXPECT_TRUE(run.screen().imageViewState("tunedString5")->hidden());
    run.app->runUntil(5'300'000);  // the latch armed by the first match is released 5 s later
    EXPECT_TRUE(run.traced("run resetTuningBools"));
}

TEST(HeadlessApp, TheSamePluckTwentyCentsSharpShowsTheMeasurementAndNoMatch) {
    TracedRun run(kD4TwentyCentsSharp);
    run.app->runUntil(1'000'000);
    const std::string measured = run.screen().labelState("freq_label")->text();
    EXPECT_NE(measured, "293.6Hz");
    EXPECT_NEAR(std::stod(measured), kD4TwentyCentsSharp, 0.5) << measured;
    EXPECT_EQ(run.screen().labelState("noteDisplay")->text(), "");
    EXPECT_FALSE(run.traced("LEDDisplay image \"green64.png\""));
    EXPECT_FALSE(run.traced("perform resetTuningBools after 5.000"));
    EXPECT_FALSE(run.app->tunerState().tunedFlags[0]);
}

TEST(HeadlessApp, TuningTwoIsReachedThroughTheArrowAndMatchesD4AsStringTwo) {
    TracedRun run(kD4, 2, {platform::Device::kIdiomPad, 1024});
    EXPECT_TRUE(run.traced("press showNextTuning:"));
    EXPECT_EQ(run.screen().imageViewState("chartDisplay")->imageName(), "chartipad2.png");
    run.app->runUntil(400'000);
    EXPECT_EQ(run.screen().imageViewState("tunedStringiPad")->imageName(), "2nd_string_iPad.png");
    EXPECT_TRUE(run.app->tunerState().tunedFlags[1]);
}

// The command itself, on files.
class HeadlessCommandTest : public ::testing::Test {
  protected:
    HeadlessCommandTest() {
        directory = std::filesystem::temp_directory_path() /
                    ("strumwise-headless-" + std::to_string(::getpid()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(directory);
        pluck = path("d4.wav");
        headless::WavFileWriter file(pluck, 14039, 1);
        const auto samples = testing::pluckedString(kD4, 2.0);  // 28078 samples, exactly 2 s
        file.write(samples.data(), samples.size());
        EXPECT_TRUE(file.close()) << file.error();
    }
    ~HeadlessCommandTest() override { std::filesystem::remove_all(directory); }

    std::string path(const std::string& name) const { return (directory / name).string(); }

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
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
            text.append(buffer, n);
        }
        std::fclose(file);
        return text;
    }

    std::filesystem::path directory;
    std::string pluck;
    std::string out;
    std::string err;
};

TEST_F(HeadlessCommandTest, PrintsTheTraceUntilSixSecondsAfterTheFileAsTextOrJson) {
    ASSERT_EQ(run({pluck}), 0) << err;
    EXPECT_EQ(err, "");
    EXPECT_NE(out.find("0.000 window install \"Main_iPhone6\"\n"), std::string::npos);
    EXPECT_NE(out.find("0.300 noteDisplay text \"D4\"\n"), std::string::npos);
    EXPECT_NE(out.find("0.300 tunedString5 image \"1st_string_6.png\"\n"), std::string::npos);
    // 2 s of file plus 6 s: the last tick is the one at 8 s.
    EXPECT_NE(out.find("\n8.000 "), std::string::npos);
    EXPECT_EQ(out.find("\n8.100 "), std::string::npos);

    const auto lineCount = std::count(out.begin(), out.end(), '\n');
    ASSERT_EQ(run({pluck, "--json"}), 0) << err;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), lineCount);
    EXPECT_NE(out.find(R"({"t":0.3,"target":"noteDisplay","op":"text","value":"D4"})"),
              std::string::npos);
}

TEST_F(HeadlessCommandTest, PressesPlayTheToneIntoTheWavFile) {
    const std::string tone = path("tone.wav");
    ASSERT_EQ(run({pluck, "--tuning", "3", "--press", "playD146_8Hz:@1", "--press",
                   "stopFreqPlay:@1.5", "--tone-out", tone, "--until=2"}),
              0)
        << err;
    EXPECT_NE(out.find("1.000 press playD146_8Hz:\n1.000 tfnoteDisplay text \"C3\"\n"
                       "1.000 tfFreqLabel text \"130.8Hz\"\n1.000 tone frequency 130.8\n"
                       "1.000 tone start\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("1.500 press stopFreqPlay:\n1.500 tone stop\n"), std::string::npos);
    const auto rendered = headless::readAudioFile(tone, 44100.0);
    ASSERT_EQ(rendered.error, "");
    EXPECT_EQ(rendered.samples.size(), 22050u);  // half a second of tone, nothing while silent
}

TEST_F(HeadlessCommandTest, AFileOfOneSampleRunsUntilSixSecondsAfterIt) {
    const std::string tiny = path("tiny.wav");
    {
        headless::WavFileWriter file(tiny, 44100, 1);
        const std::int16_t sample = 1000;
        file.write(&sample, 1);
    }
    ASSERT_EQ(run({tiny}), 0) << err;
    EXPECT_NE(out.find("\n6.000 "), std::string::npos);
    EXPECT_EQ(out.find("\n6.100 "), std::string::npos);
}

TEST_F(HeadlessCommandTest, DefaultsFilePersistsBetweenRuns) {
    const std::string defaults = path("defaults.ini");
    ASSERT_EQ(run({pluck, "--defaults", defaults, "--until", "0"}), 0) << err;
    EXPECT_NE(out.find("defaults set Plinmoor 1"), std::string::npos);
    ASSERT_EQ(run({pluck, "--defaults", defaults, "--until", "0"}), 0) << err;
    EXPECT_NE(out.find("log \"Ya se abrió antes\"\n0.000 defaults set numberOfRuns 2\n"),
              std::string::npos);
}

TEST_F(HeadlessCommandTest, BadArgumentsAndFilesAreOneLineAndStatusTwo) {
    std::ofstream(path("bad.ini")) << "not an ini line\n";
    std::ofstream(path("text.wav")) << "not a sound";
    {
        headless::WavFileWriter slow(path("slow.wav"), 1, 1);  // 6 samples claiming 6 s
        const std::vector<std::int16_t> samples(6, 1000);
        slow.write(samples.data(), samples.size());
    }
    const std::vector<std::vector<std::string>> cases{
        {},
        {pluck, "--tuning", "0"},
        {pluck, "--screen", "phone"},
        {pluck, "--press", "playG392Hz:"},
        {pluck, "--press", "tickFree:@1"},
        {pluck, "--until", "soon"},
        {pluck, "--frobnicate"},
        {path("missing.wav")},
        {path("text.wav")},
        {pluck, "--defaults", path("bad.ini")},
        {pluck, "--tone-out", path("no/such/dir.wav")},
        {path("slow.wav")},
        // A WAV header cannot state the size of some recordings past an hour.
        {pluck, "--tone-out", path("tone.wav"), "--until", "3601"},
        {pluck, "--tone-out", path("tone.wav"), "--until", "0"},
    };
    for (const auto& args : cases) {
        EXPECT_EQ(run(args), 2) << (args.empty() ? "" : args.back());
        EXPECT_FALSE(err.empty());
        EXPECT_LE(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }
}

}  // namespace
}  // namespace strumwise::app
