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
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace strumwise::testing {

// Waits up to `timeoutMs` for `done`. Answers what it saw when `done` first held: asking once
// more could meet a stream the server is just reopening and report a wait that succeeded as failed.
template <typename Predicate>
bool eventually(Predicate done, int timeoutMs = 30000) {
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

// What a shell command prints on its standard output; its wait status in `status`.
inline std::string commandOutput(const std::string& command, int* status = nullptr) {
    std::string output;
    FILE* child = ::popen(command.c_str(), "r");
    char chunk[4096];
    while (child != nullptr && std::fgets(chunk, sizeof chunk, child) != nullptr) {
        output += chunk;
    }
    const int ended = child != nullptr ? ::pclose(child) : -1;
    if (status != nullptr) {
        *status = ended;
    }
    return output;
}

// Starts `argv` in a child that a crash of this process takes with it, its standard output
// written to `out` and its standard error added to `err`, once `prepare` has set it up.
inline pid_t startChild(
    const std::vector<std::string>& argv, const std::string& out, const std::string& err,
    const std::function<void()>& prepare = [] {}) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        ::freopen(out.c_str(), "w", stdout);
        ::freopen(err.c_str(), "a", stderr);
        prepare();
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    return pid;
}

// The sound servers the scenarios run under: PulseAudio, and Debian 12's own, PipeWire with its
// session manager (WirePlumber) and its PulseAudio service, which every client here reaches
// through the PulseAudio protocol as it reaches PulseAudio itself.
enum class SoundServerKind { PulseAudio, PipeWire };

inline constexpr SoundServerKind kEverySoundServer[] = {SoundServerKind::PulseAudio,
                                                        SoundServerKind::PipeWire};

inline const char* nameOf(SoundServerKind kind) {
    return kind == SoundServerKind::PipeWire ? "PipeWire" : "PulseAudio";
}

// The kind a scenario's process runs under, as runScenario names it to the process.
inline SoundServerKind soundServerUnderTest() {
    const char* named = std::getenv("STRUMWISE_TEST_SOUND_SERVER");
    return named != nullptr && std::string(named) == "PipeWire" ? SoundServerKind::PipeWire
                                                                : SoundServerKind::PulseAudio;
}

// A sound server of the test's own: its own runtime folder and sockets, one null sink
// ("strumwise_private", described as "Null Output"), and this process's PULSE_SERVER pointing at
// it, so that killing it leaves every other server on the machine alone. Set up before PortAudio
// first looks for devices, so that PortAudio sees this server.
class PrivateSoundServer {
  public:
    explicit PrivateSoundServer(SoundServerKind kind = soundServerUnderTest()) : kind_(kind) {
        char pattern[] = "/tmp/strumwise-sound-XXXXXX";
        if (::mkdtemp(pattern) != nullptr) {
            dir_ = pattern;
        }
        ::setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
        ::setenv("PULSE_RUNTIME_PATH", dir_.c_str(), 1);
        ::setenv("PULSE_STATE_PATH", dir_.c_str(), 1);
        ::setenv("PULSE_SERVER", ("unix:" + dir_ + "/native").c_str(), 1);
        ::unsetenv("PULSE_SINK");
        ::unsetenv("PULSE_SOURCE");
    }
    ~PrivateSoundServer() {
        kill();
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    // Whether this machine has what a server of `kind` and the scenarios need; the setup script
    // installs it all.
    static bool available(SoundServerKind kind = soundServerUnderTest()) {
        const std::string programs = kind == SoundServerKind::PipeWire
                                         ? "pipewire wireplumber pipewire-pulse pw-cli dbus-daemon"
                                         : "pulseaudio pacmd";
        return std::system(
                   ("command -v " + programs + " pactl paplay parec sox >/dev/null").c_str()) == 0;
    }

    // Starts the server and answers whether it answers a client, with its sink, within a
    // generous while.
    bool start() {
        why_.clear();
        if (kind_ == SoundServerKind::PulseAudio) {
            spawn({"pulseaudio", "-n", "--daemonize=no", "--system=false", "--exit-idle-time=-1",
                   "--disable-shm=yes", "--load=module-null-sink sink_name=strumwise_private",
                   "--load=module-native-protocol-unix auth-anonymous=1 socket=" + dir_ + "/native",
                   // For dropStreams: pacmd's command line, which finds the server by its pid file.
                   "--load=module-cli-protocol-unix socket=" + dir_ + "/cli"});
            return answers() || failed("the server does not answer");
        }
        // WirePlumber wants a session bus; the test gives it one of its own. Each program starts
        // once the sockets it connects to are there: WirePlumber gives up on a PipeWire that is
        // not there yet.
        const std::string bus = "unix:path=" + dir_ + "/bus";
        spawn({"dbus-daemon", "--session", "--nofork", "--address=" + bus});
        spawn({"pipewire"});
        const auto made = [this](const char* socket) {
            return eventually([&] { return std::filesystem::exists(dir_ + "/" + socket); }, 10000);
        };
        if (!made("bus") || !made("pipewire-0")) {
            return failed("its bus or PipeWire's socket did not appear");
        }
        spawn({"wireplumber"}, bus);
        spawn({"pipewire-pulse"});
        if (!answers()) {
            return failed("the server does not answer");
        }
        // A sink made while WirePlumber is still settling can fail to activate in it ("Object
        // activation aborted" in its log), and the default then stays unset: a sink made again
        // gets another chance, within the same half minute as before.
        const auto ourSinkIsTheDefault = [] {
            return commandOutput("pactl get-default-sink 2>/dev/null") == "strumwise_private\n";
        };
        for (int attempt = 0; attempt < 3; ++attempt) {
            const int module = load(nullSink("strumwise_private", "Null Output"));
            if (module >= 0 && eventually(ourSinkIsTheDefault, 10000)) {
                return true;
            }
            if (module >= 0) {
                unload(module);
            }
        }
        return failed("its null sink did not become the default");
    }

    // Ends the server as a crash would: no goodbye to its clients. Its sockets go with it, so
    // that a start that follows waits for the new ones.
    void kill() {
        for (auto pid = pids_.rbegin(); pid != pids_.rend(); ++pid) {
            ::kill(*pid, SIGKILL);
            ::waitpid(*pid, nullptr, 0);
        }
        pids_.clear();
        for (const char* socket : {"bus", "pipewire-0", "pipewire-0.lock", "native", "cli"}) {
            std::error_code ignored;
            std::filesystem::remove(dir_ + "/" + socket, ignored);
        }
    }

    // Loads one more module into the running server, as `pactl load-module` takes it; answers
    // the module's number, or -1.
    int load(const std::string& module) {
        const std::string number = commandOutput("pactl load-module " + module + " 2>/dev/null");
        return number.empty() ? -1 : std::atoi(number.c_str());
    }
    bool unload(int module) {
        return std::system(("pactl unload-module " + std::to_string(module)).c_str()) == 0;
    }

    // Plugs in one more output device, as the sound server names and describes it.
    bool addSink(const std::string& name, const std::string& description) {
        return load(nullSink(name, description)) >= 0;
    }
    // Plugs in a microphone that hears what plays on `sink`; answers its module's number, to
    // unplug it by, or -1.
    int addSource(const std::string& name, const std::string& sink,
                  const std::string& description) {
        return load("module-remap-source source_name=" + name + " master=" + sink +
                    ".monitor \"source_properties='device.description=\\\"" + description +
                    "\\\"'\"");
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

    // Ends, as the server's own decision, every playing stream of the application named
    // `application`, leaving the server and the application's connection to it running; answers
    // how many it ended.
    int dropStreams(const std::string& application) {
        int dropped = 0;
        for (const std::string& index : streamsOf(application)) {
            if (kind_ == SoundServerKind::PulseAudio) {
                // pacmd says nothing when the stream is gone.
                dropped += commandOutput("pacmd kill-sink-input " + index + " 2>&1").empty();
                continue;
            }
            // The stream's node, found by the serial PipeWire's PulseAudio numbers it by.
            const std::string command =
                "pw-cli destroy $(pw-cli ls Node | awk -v s='object.serial = \"" + index +
                "\"' '/^\\tid /{id=$2} index($0, s) {sub(\",\", \"\", id); print id}')";
            dropped += std::system((command + " >/dev/null 2>&1").c_str()) == 0;
        }
        return dropped;
    }

    // The sink-input numbers of `application`'s playing streams.
    static std::vector<std::string> streamsOf(const std::string& application) {
        std::vector<std::string> indexes;
        std::string index;
        std::istringstream listing(commandOutput("pactl list sink-inputs 2>/dev/null"));
        for (std::string line; std::getline(listing, line);) {
            if (line.starts_with("Sink Input #")) {
                index = line.substr(12);
            } else if (line.find("application.name = \"" + application + "\"") !=
                       std::string::npos) {
                indexes.push_back(index);
            }
        }
        return indexes;
    }

    const std::string& dir() const { return dir_; }

    // The last lines the server's programs said, for a test that failed.
    std::string logs() const {
        return why_ + commandOutput("tail -n 5 " + dir_ +
                                    "/*.log 2>&1; pactl info 2>&1 | tail -n 3; "
                                    "pactl list short sinks 2>&1");
    }

  private:
    // Starts `argv` with this folder as its runtime and configuration home, and `bus` as its
    // session bus.
    void spawn(const std::vector<std::string>& argv, const std::string& bus = "") {
        // What it says goes to a log of its own, for a test that fails to read.
        const pid_t pid = startChild(argv, "/dev/null", dir_ + "/" + argv[0] + ".log", [&] {
            ::setenv("PIPEWIRE_RUNTIME_DIR", dir_.c_str(), 1);
            ::setenv("XDG_CONFIG_HOME", (dir_ + "/config").c_str(), 1);
            ::setenv("XDG_STATE_HOME", (dir_ + "/state").c_str(), 1);
            if (bus.empty()) {
                ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
            } else {
                ::setenv("DBUS_SESSION_BUS_ADDRESS", bus.c_str(), 1);
            }
        });
        if (pid > 0) {
            pids_.push_back(pid);
        }
    }

    static bool answers() {
        return eventually([] { return std::system("pactl info >/dev/null 2>&1") == 0; }, 10000);
    }

    // The module that plugs in a null sink named `name`, as the server describes it.
    static std::string nullSink(const std::string& name, const std::string& description) {
        return "module-null-sink sink_name=" + name +
               " \"sink_properties='device.description=\\\"" + description + "\\\"'\"";
    }

    // Says why the last start failed, for logs(); answers false.
    bool failed(const std::string& why) {
        why_ = "start: " + why + "\n";
        return false;
    }

    SoundServerKind kind_;
    std::string dir_;
    std::vector<pid_t> pids_;
    std::string why_;
};

// What a sink of the running server plays, read from its monitor from construction to stop():
// mono signed 16-bit samples at 44100 Hz.
class MonitorRecording {
  public:
    MonitorRecording(const std::string& dir, const std::string& sink)
        : file_(dir + "/" + sink + ".raw") {
        pid_ = startChild({"parec", "-d", sink + ".monitor", "--raw", "--format=s16le",
                           "--rate=44100", "--channels=1", "--latency-msec=10"},
                          file_, "/dev/null");
        // A monitor delivers silence as soon as it is read: wait for it, so that the recording
        // covers what comes next.
        eventually([&] { return bytes() > 0; }, 5000);
    }
    ~MonitorRecording() { stop(); }

    std::vector<std::int16_t> stop() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
        std::vector<std::int16_t> samples(bytes() / 2);
        std::ifstream(file_, std::ios::binary)
            .read(reinterpret_cast<char*>(samples.data()),
                  static_cast<std::streamsize>(samples.size() * 2));
        return samples;
    }

  private:
    std::uintmax_t bytes() const {
        std::error_code missing;
        const std::uintmax_t size = std::filesystem::file_size(file_, missing);
        return missing ? 0 : size;
    }

    std::string file_;
    pid_t pid_ = -1;
};

inline std::string kindCaseName(const ::testing::TestParamInfo<SoundServerKind>& info) {
    return nameOf(info.param);
}

}  // namespace strumwise::testing
