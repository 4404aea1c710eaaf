#pragma once

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace strumwise::testing {

// A PulseAudio server of the test's own: its own runtime folder and socket, one null sink, and
// this process's PULSE_SERVER pointing at it, so that killing it leaves every other server on
// the machine alone. Set up before PortAudio first looks for devices, so that PortAudio sees
// this server.
class PrivateSoundServer {
  public:
    PrivateSoundServer() {
        char pattern[] = "/tmp/strumwise-pulse-XXXXXX";
        if (::mkdtemp(pattern) != nullptr) {
            dir_ = pattern;
        }
        ::setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
        ::setenv("PULSE_RUNTIME_PATH", dir_.c_str(), 1);
        ::setenv("PULSE_STATE_PATH", dir_.c_str(), 1);
        ::setenv("PULSE_SERVER", ("unix:" + socket()).c_str(), 1);
        ::unsetenv("PULSE_SINK");
        ::unsetenv("PULSE_SOURCE");
    }
    ~PrivateSoundServer() {
        kill();
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    static bool available() {
        return std::system("command -v pulseaudio pactl paplay sox >/dev/null") == 0;
    }

    // Loads one more module into the running server, as `pactl load-module` takes it.
    bool load(const std::string& module) {
        return std::system(("pactl load-module " + module + " >/dev/null").c_str()) == 0;
    }

    // Plugs in one more output device, as the sound server names and describes it.
    bool addSink(const std::string& name, const std::string& description) {
        return load("module-null-sink sink_name=" + name +
                    " \"sink_properties='device.description=\\\"" + description + "\\\"'\"");
    }

    // Sounds a sawtooth, which carries every harmonic like a string, into `sink` in the
    // background; answers whether the tone was made and handed to the server.
    bool play(const std::string& sink, double hertz, double seconds) {
        const std::string file = dir_ + "/tone" + std::to_string(static_cast<int>(hertz)) + ".wav";
        return std::system(("sox -q -n -r 44100 -c 1 -b 16 " + file + " synth " +
                            std::to_string(seconds) + " sawtooth " + std::to_string(hertz) +
                            " vol 0.5 && (paplay -d " + sink + " " + file + " >/dev/null 2>&1 &)")
                               .c_str()) == 0;
    }

    // Starts the server and answers whether it answers a client within a generous while.
    bool start() {
        const std::string sink = "--load=module-null-sink sink_name=strumwise_private";
        const std::string unix =
            "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket();
        pid_ = ::fork();
        if (pid_ == 0) {
            // A scenario that crashes takes its server with it.
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            ::freopen("/dev/null", "w", stdout);
            ::freopen("/dev/null", "w", stderr);
            ::execlp("pulseaudio", "pulseaudio", "-n", "--daemonize=no", "--system=false",
                     "--exit-idle-time=-1", "--use-pid-file=no", "--disable-shm=yes", sink.c_str(),
                     unix.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int i = 0; i < 200; ++i) {
            if (std::system("pactl info >/dev/null 2>&1") == 0) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    // Ends the server as a crash would: no goodbye to its clients.
    void kill() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }

    const std::string& dir() const { return dir_; }

  private:
    std::string socket() const { return dir_ + "/native"; }

    std::string dir_;
    pid_t pid_ = -1;
};

// What a sink of the running server plays, read from its monitor from construction to stop():
// mono signed 16-bit samples at 44100 Hz.
class MonitorRecording {
  public:
    MonitorRecording(const std::string& dir, const std::string& sink)
        : file_(dir + "/" + sink + ".raw") {
        const std::string source = sink + ".monitor";
        pid_ = ::fork();
        if (pid_ == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            ::freopen(file_.c_str(), "w", stdout);
            ::freopen("/dev/null", "w", stderr);
            ::execlp("parec", "parec", "-d", source.c_str(), "--raw", "--format=s16le",
                     "--rate=44100", "--channels=1", "--latency-msec=10",
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // A monitor delivers silence as soon as it is read: wait for it, so that the recording
        // covers what comes next.
        for (int i = 0; i < 500; ++i) {
            std::error_code missing;
            if (const auto size = std::filesystem::file_size(file_, missing);
                !missing && size > 0) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    ~MonitorRecording() { stop(); }
    MonitorRecording(const MonitorRecording&) = delete;
    MonitorRecording& operator=(const MonitorRecording&) = delete;

    std::vector<std::int16_t> stop() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
        std::ifstream in(file_, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
        std::vector<std::int16_t> samples(bytes.size() / 2);
        if (!samples.empty()) {
            std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        }
        return samples;
    }

  private:
    std::string file_;
    pid_t pid_ = -1;
};

// Waits up to `timeoutMs` for `done` and answers it.
template <typename Predicate>
bool eventually(Predicate done, int timeoutMs = 30000) {
    for (int waited = 0; waited < timeoutMs && !done(); waited += 10) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

// What a shell command prints on its standard output; its wait status in `status`.
inline std::string commandOutput(const std::string& command, int* status = nullptr) {
    std::string output;
    FILE* child = ::popen(command.c_str(), "r");
    if (child == nullptr) {
        return output;
    }
    char chunk[4096];
    while (const std::size_t got = std::fread(chunk, 1, sizeof chunk, child)) {
        output.append(chunk, got);
    }
    const int ended = ::pclose(child);
    if (status != nullptr) {
        *status = ended;
    }
    return output;
}

// Runs the disabled test `suite`.DISABLED_`name` of this binary in a fresh process and expects it
// to pass: PortAudio looks for devices once per process, and each scenario has a server of its
// own. A scenario that hangs is killed after a generous while and fails.
inline void runScenario(const std::string& suite, const std::string& name) {
    if (!PrivateSoundServer::available()) {
        GTEST_SKIP() << "pulseaudio, pactl and sox are needed for a sound server of the test's own";
    }
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string command = "timeout -s KILL 120 '" + self +
                                "' --gtest_also_run_disabled_tests --gtest_filter=" + suite +
                                ".DISABLED_" + name + " 2>&1";
    int status = -1;
    const std::string output = commandOutput(command, &status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

}  // namespace strumwise::testing
