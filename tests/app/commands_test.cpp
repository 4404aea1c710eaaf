// The strumwise executable as a user runs it: each command line with its standard output sent
// somewhere, its exit status and what it says on standard error; its sound read from somewhere
// other than a plain file (standard input, /dev/stdin) and written where a WAV cannot be
// sought in; the files it writes and the displays it opens when they fail; runs at once on one
// defaults file; and the bash completion, run by bash as bash-completion would run it.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "adapters/sound_files/audio_file.h"
#include "support/scratch_folder.h"
#include "support/test_signals.h"

namespace {

namespace fs = std::filesystem;

// Where the command's standard output goes.
enum class Out { Captured, Null, Full, Closed, ReaderGone };

struct Launch {
    std::vector<std::string> args = {};
    int input = -1;  // the descriptor the command reads as standard input; -1: the test's own
    Out out = Out::Captured;
    std::map<std::string, std::string> environment = {};  // set, or unset when the value is empty
    rlim_t largestFile = RLIM_INFINITY;
    std::string stopAt = {};  // once standard output holds this, the command is sent SIGTERM
};

struct Finished {
    int status = -1;  // the exit status, or 128 + the signal that ended the process
    std::string out;
    std::string err;
};

// Reads the child's standard output and error until both end, stopping it with SIGTERM once
// its output holds `stopAt`, and killing it after a generous while. A stream of -1 is not read.
inline Finished collectChild(pid_t child, int out, int err, const std::string& stopAt) {
    Finished finished;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    bool stopped = false;
    pollfd streams[2] = {{out, POLLIN, 0}, {err, POLLIN, 0}};
    for (int open = (out >= 0) + (err >= 0); open > 0;) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
        }
        if (::poll(streams, 2, 1000) < 0) {
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (streams[i].fd < 0 || streams[i].revents == 0) {
                continue;
            }
            char buffer[4096];
            const ssize_t got = ::read(streams[i].fd, buffer, sizeof buffer);
            if (got <= 0) {
                ::close(streams[i].fd);
                streams[i].fd = -1;
                --open;
                continue;
            }
            (i == 0 ? finished.out : finished.err).append(buffer, static_cast<std::size_t>(got));
        }
        if (!stopAt.empty() && !stopped && finished.out.find(stopAt) != std::string::npos) {
            ::kill(child, SIGTERM);
            stopped = true;
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    finished.status = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    return finished;
}

// Runs the executable in `directory`, which is also its configuration home, on Qt's offscreen
// platform with no display named unless `launch` says otherwise.
inline Finished runStrumwise(const std::filesystem::path& directory, const Launch& launch) {
    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) {
        return {};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        if (launch.input >= 0) {
            ::dup2(launch.input, STDIN_FILENO);
        }
        if (launch.out == Out::Closed) {
            ::close(STDOUT_FILENO);
        } else if (launch.out == Out::Null || launch.out == Out::Full) {
            ::dup2(::open(launch.out == Out::Full ? "/dev/full" : "/dev/null", O_WRONLY),
                   STDOUT_FILENO);
        } else {
            ::dup2(out[1], STDOUT_FILENO);
        }
        // As some launchers leave it; the process must still end as a filter does.
        if (launch.out == Out::ReaderGone) {
            std::signal(SIGPIPE, SIG_IGN);
        }
        ::dup2(err[1], STDERR_FILENO);
        if (::chdir(directory.c_str()) != 0) {
            ::_exit(99);
        }
        ::setenv("XDG_CONFIG_HOME", directory.c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        for (const auto& [name, value] : launch.environment) {
            value.empty() ? ::unsetenv(name.c_str()) : ::setenv(name.c_str(), value.c_str(), 1);
        }
        if (launch.largestFile != RLIM_INFINITY) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{launch.largestFile, launch.largestFile};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        std::vector<std::string> args{STRUMWISE_BINARY};
        args.insert(args.end(), launch.args.begin(), launch.args.end());
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        ::execv(STRUMWISE_BINARY, argv.data());
        ::_exit(98);
    }
    ::close(out[1]);
    ::close(err[1]);
    if (launch.out == Out::ReaderGone) {
        ::close(out[0]);  // a reader that has gone, as `| head -1` is after its line
        out[0] = -1;
    }
    return collectChild(child, out[0], err[0], launch.stopAt);
}

// How the sound reaches the command.
// (A FIFO is read by name as /dev/stdin is: neither is a regular file.)
enum class Source { File, StdinFromFile, StdinFromPipe, DevStdinFromPipe };

struct Case {
    std::vector<std::string> args;
    Out out;
    int status;
    // Standard error: the whole of it where this ends a line, else the start of its one line;
    // empty: nothing at all.
    std::string err;
    std::map<std::string, std::string> environment = {};
};

// A folder of the test's own holding D4 plucked once (d4.wav, and -d4.wav for names that look
// like options) and plucked again every 2 s for 8 s (plucks.wav): the window plays that in real
// time, and however late a loaded machine lets its first ticks run, some are still heard loud.
class Commands : public ::testing::Test {
  protected:
    Commands() {
        const auto pluck = strumwise::testing::pluckedString(293.66, 2.0);
        std::vector<std::int16_t> plucks;
        for (int i = 0; i < 4; ++i) {
            plucks.insert(plucks.end(), pluck.begin(), pluck.end());
        }
        strumwise::testing::writeWav((directory / "d4.wav").string(), pluck);
        strumwise::testing::writeWav((directory / "-d4.wav").string(), pluck);
        strumwise::testing::writeWav((directory / "plucks.wav").string(), plucks);
    }

    // Runs the command with the sound coming from `source`; "@" in the arguments stands for
    // where it is read from. A pipe has a producer of its own on the other end.
    Finished run(Launch launch, Source source = Source::File) {
        const std::string file = (directory / "plucks.wav").string();
        FILE* producer = nullptr;
        if (source == Source::StdinFromFile) {
            launch.input = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        } else if (source != Source::File) {
            producer = ::popen(("exec cat '" + file + "'").c_str(), "re");
            launch.input = ::fileno(producer);
        }
        const std::string where = source == Source::File               ? file
                                  : source == Source::DevStdinFromPipe ? "/dev/stdin"
                                                                       : "-";
        for (std::string& arg : launch.args) {
            arg = arg == "@" ? where : arg;
        }
        Finished finished = runStrumwise(directory, launch);
        if (producer != nullptr) {
            ::pclose(producer);
        } else if (launch.input >= 0) {
            ::close(launch.input);
        }
        return finished;
    }

    // The whole of a file in the folder.
    std::string contents(const std::string& name) const {
        std::ifstream file(directory / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    // Runs every case as a user would and checks how it ended and what it said.
    void expectOutcomes(const std::vector<Case>& cases) {
        for (const auto& [args, out, status, err, environment] : cases) {
            SCOPED_TRACE((args.empty() ? std::string("(no arguments)") : args.back()) + " " +
                         std::to_string(static_cast<int>(out)));
            const Finished outcome = run({.args = args, .out = out, .environment = environment});
            EXPECT_EQ(outcome.status, status);
            EXPECT_EQ(err.ends_with('\n') ? outcome.err : outcome.err.substr(0, err.size()), err);
            EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), err.empty() ? 0 : 1)
                << outcome.err;
        }
    }

    strumwise::testing::ScratchFolder folder{"commands"};
    const fs::path& directory = folder.path();
};

using InputStreams = Commands;

// What the shell command prints on its standard output.
std::string shellOutput(const std::string& command) {
    std::string output;
    if (FILE* shell = ::popen(command.c_str(), "r")) {
        char chunk[4096];
        while (const std::size_t got = std::fread(chunk, 1, sizeof chunk, shell)) {
            output.append(chunk, got);
        }
        ::pclose(shell);
    }
    return output;
}

// Output that cannot be written, and a window without a display, cost one line and status one;
// a reader that has gone ends the command quietly, as it ends a filter. Every command's output is
// finished by one function, so a closed output is tried on one command; the headless run, whose
// trace goes out as it runs, fills its output and loses its reader mid-run.
TEST_F(Commands, FailuresAreOneLineAndStatusOneAndAGoneReaderIsQuiet) {
    const std::string full = "could not write the output: No space left on device\n";
    const std::string closed = "could not write the output: Bad file descriptor\n";
    const std::vector<Case> cases{
        {{"estimate", "d4.wav"}, Out::Null, 0, ""},
        {{"estimate", "d4.wav"}, Out::Full, 1, "strumwise estimate: " + full},
        {{"estimate", "d4.wav"}, Out::Closed, 1, "strumwise estimate: " + closed},
        {{"estimate", "d4.wav"}, Out::ReaderGone, 128 + SIGPIPE, ""},
        {{"headless", "d4.wav", "--until=0"}, Out::Full, 1, "strumwise headless: " + full},
        {{"headless", "d4.wav", "--until=1"}, Out::ReaderGone, 128 + SIGPIPE, ""},
        {{"--help"}, Out::Full, 1, "strumwise: " + full},
        {{"window", "--help"}, Out::Full, 1, "strumwise window: " + full},
        // Nothing is printed, so nothing is lost.
        {{"tone", "--tuning=1", "--string=1", "-o", "t.wav"}, Out::Closed, 0, ""},
        {{},
         Out::Null,
         1,
         "strumwise: no display \u2014 set DISPLAY or WAYLAND_DISPLAY, or use `strumwise "
         "headless`\n",
         {{"QT_QPA_PLATFORM", ""}}},
    };
    expectOutcomes(cases);
}

TEST_F(Commands, DoubleDashEndsOptionsValuesFollowEqualsAndNamesAreEscaped) {
    const std::vector<Case> cases{
        {{"estimate", "--", "-d4.wav"}, Out::Null, 0, ""},
        {{"estimate", "--octave-check", "d4.wav"}, Out::Null, 0, ""},
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
    };
    expectOutcomes(cases);
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
        const auto plain = run({.args = {"estimate", (directory / name).string()}});
        const auto checked =
            run({.args = {"estimate", "--octave-check", (directory / name).string()}});
        ASSERT_EQ(plain.status, 0) << plain.err;
        ASSERT_EQ(checked.status, 0) << checked.err;
        EXPECT_EQ(checked.out, plain.out) << name;
    }
}

// The tunings the tuner knows, listed with each string's note and frequency at the reference,
// capo and spike given; and the tone of any of them, as its fork plays it.
TEST_F(Commands, TuningsListsTheLibraryAndToneRendersAnyTuningAtAnyReference) {
    auto outcome = run({.args = {"tunings"}});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    // A heading, the four first tunings and at least twelve more.
    EXPECT_GE(std::count(outcome.out.begin(), outcome.out.end(), '\n'), 1 + 4 + 12);
    EXPECT_NE(outcome.out.find("  Open G (gDGBD)                G4 392Hz     D3 146.8Hz   G3 196Hz"
                               "     B3 246.9Hz   D4 293.6Hz\n"),
              std::string::npos)
        << outcome.out;
    outcome = run({.args = {"tunings", "--reference=444", "--capo=2", "--fifth=2"}});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(
        outcome.out.find("  Open G (gDGBD)                A4 444Hz     E3 166.3Hz   A3 222Hz"),
        std::string::npos)
        << outcome.out;

    // F#3 of open D at A4 = 432: 432 x 2^(-15/12) Hz.
    outcome = run({.args = {"tone", "--tuning", "Open D", "--string", "3", "--reference", "432",
                            "--wave", "sine", "-o", "fsharp.wav"}});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const auto tone =
        strumwise::platform::sound_files::readAudioFile((directory / "fsharp.wav").string(), 44100);
    EXPECT_NEAR(strumwise::testing::crossingFrequency(tone.samples, 44100),
                432.0 * std::pow(2.0, -15.0 / 12.0), 0.05);

    expectOutcomes({
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

// Runs of the real command at once on one defaults file: each succeeds, and the file counts
// every one of them.
TEST_F(Commands, TwentyHeadlessRunsOnOneDefaultsFileCountTwentyAndAllSucceed) {
    strumwise::testing::writeWav((directory / "silence.wav").string(),
                                 std::vector<std::int16_t>(1400, 0));
    const std::string runs = "cd '" + directory.string() +
                             "' && for run in $(seq 20); do (" STRUMWISE_BINARY
                             " headless silence.wav --defaults d.ini --until 0 >/dev/null && "
                             "echo ok) & done; wait";
    const std::string said = shellOutput(runs);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 20) << said;
    const std::string defaults = contents("d.ini");
    EXPECT_NE(defaults.find("\nnumberOfRuns=20\n"), std::string::npos) << defaults;
    EXPECT_NE(defaults.find("\nkRatingPromptUseCount=20\n"), std::string::npos) << defaults;
}

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
    return shellOutput("bash " + file);
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

// Every way the sound reaches the command, by name.
constexpr std::pair<Source, const char*> kSources[] = {
    {Source::File, "a file"},
    {Source::StdinFromFile, "- from a file"},
    {Source::StdinFromPipe, "- from a pipe"},
    {Source::DevStdinFromPipe, "/dev/stdin from a pipe"}};

// Every command hears the same sound from wherever it comes: what a plain file gives, a pipe,
// standard input and /dev/stdin give too.
TEST_F(InputStreams, EveryCommandReadsAFileStandardInputAndDevStdinAlike) {
    const std::vector<std::vector<std::string>> commands{
        {"estimate", "@"},
        {"headless", "@", "--json", "--until", "3"},
    };
    for (const auto& args : commands) {
        const Finished fromFile = run({.args = args});
        ASSERT_EQ(fromFile.status, 0) << fromFile.err;
        ASSERT_NE(fromFile.out.find("293."), std::string::npos) << fromFile.out;
        for (const auto& [source, name] : kSources) {
            const Finished finished = run({.args = args}, source);
            EXPECT_EQ(finished.status, 0) << args[0] << " on " << name;
            EXPECT_EQ(finished.err, "") << args[0] << " on " << name;
            EXPECT_EQ(finished.out, fromFile.out) << args[0] << " on " << name;
        }
    }

    // The window plays it into the tuner in real time, and the tuner names the string.
    for (const auto& [source, name] : kSources) {
        const Finished finished =
            run({.args = {"--input", "@", "--trace"}, .stopAt = "noteDisplay text \"D4\""}, source);
        EXPECT_NE(finished.out.find("noteDisplay text \"D4\""), std::string::npos) << name << "\n"
                                                                                   << finished.err;
        EXPECT_EQ(finished.status, 0) << name << "\n" << finished.err;
    }
}

// A tone goes to standard output whole, as a WAV a pipe's reader can use.
TEST_F(InputStreams, ToneWritesAWholeWavToAPipe) {
    const Finished piped =
        run({.args = {"tone", "--tuning=1", "--string=2", "--seconds=0.5", "-o", "-"}});
    ASSERT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.err, "");
    const fs::path copy = directory / "piped.wav";
    std::ofstream(copy, std::ios::binary) << piped.out;
    const auto decoded = strumwise::platform::sound_files::readAudioFile(copy.string(), 44100.0);
    EXPECT_EQ(decoded.error, "");
    EXPECT_EQ(decoded.samples.size(), 22050u);  // its first channel, half a second
}

// What the commands write, when it fails: one line with the system's reason, and nothing left
// half written; and what they refuse before they start.
TEST_F(InputStreams, FailedWritesSayWhyAndLeaveNothingHalfWritten) {
    struct Failure {
        Launch launch;
        int status;
        std::string err;  // the whole of standard error
    };
    const std::string longName(250, 'n');
    const std::vector<Failure> cases{
        {{.args = {"tone", "--tuning=1", "--string=1", "-o", "missing/t.wav"}},
         2,
         "strumwise tone: cannot write missing/t.wav: No such file or directory\n"},
        {{.args = {"tone", "--tuning=1", "--string=1", "--seconds=2", "-o", "t.wav"},
          .largestFile = 4096},
         2,
         "strumwise tone: cannot write t.wav: File too large\n"},
        // Not a file to seek in: written through a temporary, which is then copied and fails.
        {{.args = {"tone", "--tuning=1", "--string=1", "-o", "/dev/full"}},
         2,
         "strumwise tone: cannot write /dev/full: No space left on device\n"},
        {{.args = {"headless", "@", "--until=0", "--defaults", "d.ini"}, .largestFile = 64},
         1,
         "strumwise headless: cannot write defaults file d.ini: File too large\n"},
        {{.args = {"headless", "@", "--until=0", "--defaults", longName}},
         2,
         "strumwise headless: defaults file " + longName.substr(0, 60) + "\u2026" +
             longName.substr(0, 39) +
             ": the name is too long; it is replaced through a file whose name is 15 characters "
             "longer, and names here have at most 255\n"},
        {{.args = {"headless", "@", "--screen", "pad:100001"}},
         2,
         "strumwise headless: --screen: the height 100001 is too large; screens are at most 100000 "
         "points (see strumwise headless --help)\n"},
        {{.environment = {{"QT_QPA_PLATFORM", ""}, {"DISPLAY", ":2047"}}},
         1,
         "strumwise: cannot open display :2047\n"},
    };
    const std::string before = "[com.strumwise.tuner]\nPlinmoor=true\nnumberOfRuns=3\n";
    for (const auto& [launch, status, err] : cases) {
        std::ofstream(directory / "d.ini") << before;
        const Finished finished = run(launch);
        EXPECT_EQ(finished.status, status) << err;
        EXPECT_EQ(finished.err, err);
        // No half-written tone, no temporary of the defaults, no empty file for a refused name.
        EXPECT_FALSE(fs::exists(directory / "t.wav")) << err;
        EXPECT_FALSE(fs::exists(directory / longName)) << err;
        EXPECT_EQ(contents("d.ini"), before) << err;
        for (const auto& entry : fs::directory_iterator(directory)) {
            EXPECT_FALSE(entry.path().string().ends_with(".partial")) << entry.path();
        }
    }
}

// A run killed while it replaced the defaults file left its temporary behind; the next run
// removes it, and only it.
TEST_F(InputStreams, TheNextRunRemovesATemporaryAKilledRunLeft) {
    const std::vector<std::string> kept{"d.ini.backup", "d.ini.Xy12Z.partial",
                                        "e.ini.Xy12Z9.partial", "d.ini.Xy12Z9.partial.old"};
    for (const std::string& name : kept) {
        std::ofstream(directory / name) << "[com.strumwise.tuner]\nnumberOfR";
    }
    std::ofstream(directory / "d.ini.Xy12Z9.partial") << "[com.strumwise.tuner]\nnumberOfR";
    const Finished finished = run({.args = {"headless", "@", "--until=0", "--defaults", "d.ini"}});
    EXPECT_EQ(finished.status, 0) << finished.err;
    EXPECT_FALSE(fs::exists(directory / "d.ini.Xy12Z9.partial"));
    for (const std::string& name : kept) {
        EXPECT_TRUE(fs::exists(directory / name)) << name;
    }
    EXPECT_NE(contents("d.ini").find("numberOfRuns=1"), std::string::npos);
}

}  // namespace
