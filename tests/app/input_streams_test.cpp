// The strumwise executable reading its sound from somewhere other than a plain file (standard
// input, /dev/stdin, a FIFO) and writing where a WAV cannot be sought in; and the files it
// writes and the displays it opens when they fail.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "adapters/sound_files/audio_file.h"
#include "strumwise_process.h"
#include "support/scratch_folder.h"
#include "support/test_signals.h"

namespace {

namespace fs = std::filesystem;
using strumwise::testing::Finished;
using strumwise::testing::Launch;

// How the sound reaches the command.
enum class Source { File, StdinFromFile, StdinFromPipe, DevStdinFromPipe, Fifo };

// Writes `bytes` to `descriptor`, or to the file `path` opens, from a process of its own, as a
// producer on the other end of a pipe or FIFO would, and ends.
pid_t feed(int descriptor, const std::string& path, const std::string& bytes) {
    const pid_t writer = ::fork();
    if (writer == 0) {
        descriptor = descriptor >= 0 ? descriptor : ::open(path.c_str(), O_WRONLY);
        for (std::size_t done = 0; descriptor >= 0 && done < bytes.size();) {
            const ssize_t put = ::write(descriptor, bytes.data() + done, bytes.size() - done);
            if (put <= 0) {
                break;
            }
            done += static_cast<std::size_t>(put);
        }
        ::_exit(0);
    }
    return writer;
}

class InputStreams : public ::testing::Test {
  protected:
    InputStreams() {
        // The string plucked again every 2 s for 8 s: the window plays it in real time, and
        // however late a loaded machine lets its first ticks run, some are still heard loud.
        const auto pluck = strumwise::testing::pluckedString(293.66, 2.0);
        std::vector<std::int16_t> plucks;
        for (int i = 0; i < 4; ++i) {
            plucks.insert(plucks.end(), pluck.begin(), pluck.end());
        }
        strumwise::testing::writeWav((directory / "d4.wav").string(), plucks);
        std::ifstream in(directory / "d4.wav", std::ios::binary);
        wav.assign(std::istreambuf_iterator<char>(in), {});
    }

    // Runs the command with the sound coming from `source`; "@" in the arguments stands for
    // where it is read from.
    Finished run(Launch launch, Source source = Source::File) {
        const std::string fifo = (directory / "sound.fifo").string();
        std::string where = (directory / "d4.wav").string();
        int input[2] = {-1, -1};
        std::optional<pid_t> writer;
        if (source == Source::StdinFromFile) {
            input[0] = ::open(where.c_str(), O_RDONLY | O_CLOEXEC);
        } else if (source == Source::StdinFromPipe || source == Source::DevStdinFromPipe) {
            EXPECT_EQ(::pipe2(input, O_CLOEXEC), 0);
            writer = feed(input[1], "", wav);
            ::close(input[1]);
        } else if (source == Source::Fifo) {
            fs::remove(fifo);
            EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
            writer = feed(-1, fifo, wav);
            where = fifo;
        }
        if (source == Source::StdinFromFile || source == Source::StdinFromPipe) {
            where = "-";
        } else if (source == Source::DevStdinFromPipe) {
            where = "/dev/stdin";
        }
        for (std::string& arg : launch.args) {
            arg = arg == "@" ? where : arg;
        }
        launch.input = input[0];
        Finished finished = strumwise::testing::runStrumwise(directory, launch);
        if (input[0] >= 0) {
            ::close(input[0]);
        }
        if (writer) {
            ::kill(*writer, SIGKILL);  // still waiting for a reader only if the command failed
            ::waitpid(*writer, nullptr, 0);
        }
        return finished;
    }

    strumwise::testing::ScratchFolder folder{"streams"};
    const fs::path& directory = folder.path();
    std::string wav;
};

// Every way the sound reaches the command, by name.
constexpr std::pair<Source, const char*> kSources[] = {
    {Source::File, "a file"},
    {Source::StdinFromFile, "- from a file"},
    {Source::StdinFromPipe, "- from a pipe"},
    {Source::DevStdinFromPipe, "/dev/stdin from a pipe"},
    {Source::Fifo, "a FIFO"}};

// Every command hears the same sound from wherever it comes: what a plain file gives, a pipe,
// standard input and a FIFO give too.
TEST_F(InputStreams, EveryCommandReadsAFileStandardInputDevStdinAndAFifoAlike) {
    const std::vector<std::vector<std::string>> commands{
        {"estimate", "@"},
        {"headless", "@"},
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
    struct Case {
        Launch launch;
        int status;
        std::string err;  // the whole of standard error
    };
    const std::string longName(250, 'n');
    const std::vector<Case> cases{
        {{.args = {"tone", "--tuning=1", "--string=1", "-o", "missing/t.wav"}},
         2,
         "strumwise tone: cannot write missing/t.wav: No such file or directory\n"},
        {{.args = {"tone", "--tuning=1", "--string=1", "--seconds=2", "-o", "t.wav"},
          .largestFile = 4096},
         2,
         "strumwise tone: cannot write t.wav: File too large\n"},
        {{.args = {"headless", "@", "--until=0", "--defaults", "d.ini"}, .largestFile = 64},
         1,
         "strumwise headless: cannot write defaults file d.ini: File too large\n"},
        {{.args = {"headless", "@", "--until=0", "--defaults", longName}},
         2,
         "strumwise headless: defaults file " + longName.substr(0, 60) + "\u2026" +
             longName.substr(0, 39) +
             ": the name is too long; it is replaced through a file whose name is 15 characters "
             "longer, and names here have at most 255\n"},
        {{.args = {"--screen", "pad:99999999"}},
         2,
         "strumwise: --screen: the height 99999999 is too large; screens are at most 100000 "
         "points (see strumwise window --help)\n"},
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
        std::ifstream defaults(directory / "d.ini");
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(defaults), {}), before) << err;
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
    std::ifstream defaults(directory / "d.ini");
    EXPECT_NE(std::string(std::istreambuf_iterator<char>(defaults), {}).find("numberOfRuns=1"),
              std::string::npos);
}

}  // namespace
