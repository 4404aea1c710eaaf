// The strumwise executable as a user runs it: each command line with its standard output sent
// somewhere, its exit status and what it says on standard error.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/headless/wav_file.h"
#include "support/test_signals.h"

namespace {

// Where the command's standard output goes.
enum class Out { Null, Full, Closed, ReaderGone };

struct Outcome {
    int status = -1;  // the exit status, or 128 + the signal that ended the process
    std::string err;
};

// Runs the binary in `directory` with these arguments; `display` false removes every variable
// that names a display or Qt platform, true keeps the offscreen platform the tests use.
Outcome runStrumwise(const std::filesystem::path& directory, const std::vector<std::string>& args,
                     Out out, bool display = true) {
    int errPipe[2];
    int outPipe[2];
    if (::pipe(errPipe) != 0 || ::pipe(outPipe) != 0) {
        return {};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(errPipe[1], STDERR_FILENO);
        if (out == Out::Closed) {
            ::close(STDOUT_FILENO);
        } else if (out == Out::ReaderGone) {
            ::dup2(outPipe[1], STDOUT_FILENO);
            // As some launchers leave it; the process must still end as a filter does.
            std::signal(SIGPIPE, SIG_IGN);
        } else {
            const int sink = ::open(out == Out::Full ? "/dev/full" : "/dev/null", O_WRONLY);
            ::dup2(sink, STDOUT_FILENO);
        }
        for (const int descriptor : {errPipe[0], errPipe[1], outPipe[0], outPipe[1]}) {
            ::close(descriptor);
        }
        if (::chdir(directory.c_str()) != 0) {
            ::_exit(99);
        }
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        if (display) {
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        } else {
            ::unsetenv("QT_QPA_PLATFORM");
        }
        ::setenv("XDG_CONFIG_HOME", directory.c_str(), 1);
        std::vector<char*> argv{const_cast<char*>(STRUMWISE_BINARY)};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(STRUMWISE_BINARY, argv.data());
        ::_exit(98);
    }
    ::close(errPipe[1]);
    ::close(outPipe[1]);
    ::close(outPipe[0]);  // a reader that has gone, as `| head -1` is after its line
    Outcome outcome;
    char buffer[4096];
    for (ssize_t n; (n = ::read(errPipe[0], buffer, sizeof buffer)) > 0;) {
        outcome.err.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(errPipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    outcome.status = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    return outcome;
}

class Commands : public ::testing::Test {
  protected:
    Commands()
        : directory(std::filesystem::temp_directory_path() /
                    ("strumwise-commands-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(directory);
        const auto samples = strumwise::testing::pluckedString(293.66, 2.0);
        for (const char* name : {"d4.wav", "-d4.wav"}) {
            strumwise::platform::headless::WavFileWriter file((directory / name).string(), 14039,
                                                              1);
            file.write(samples.data(), samples.size());
            EXPECT_TRUE(file.close()) << file.error();
        }
    }
    ~Commands() override { std::filesystem::remove_all(directory); }

    std::filesystem::path directory;
};

struct Case {
    std::vector<std::string> args;
    Out out;
    int status;
    std::string err;  // the start of the one line on standard error; empty: nothing at all
};

TEST_F(Commands, OutputThatCannotBeWrittenIsOneLineAndStatusOneAndAGoneReaderIsQuiet) {
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
    };
    for (const auto& [args, out, status, err] : cases) {
        const Outcome outcome = runStrumwise(directory, args, out);
        EXPECT_EQ(outcome.status, status) << args.front() << " " << static_cast<int>(out);
        EXPECT_EQ(outcome.err, err) << args.front() << " " << static_cast<int>(out);
    }
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
    for (const auto& [args, out, status, err] : cases) {
        const Outcome outcome = runStrumwise(directory, args, out);
        EXPECT_EQ(outcome.status, status) << args.back();
        EXPECT_EQ(outcome.err.substr(0, err.size()), err) << args.back();
        EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), err.empty() ? 0 : 1)
            << outcome.err;
    }
}

TEST_F(Commands, TheWindowWithoutADisplaySaysSoInOneLine) {
    const Outcome outcome = runStrumwise(directory, {}, Out::Null, false);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err,
              "strumwise: no display \u2014 set DISPLAY or WAYLAND_DISPLAY, or use `strumwise "
              "headless`\n");
}

}  // namespace
