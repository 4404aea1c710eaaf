#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

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

    // Starts the server and answers whether it answers a client within a generous while.
    bool start() {
        const std::string sink = "--load=module-null-sink sink_name=strumwise_private";
        const std::string unix =
            "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket();
        pid_ = ::fork();
        if (pid_ == 0) {
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

}  // namespace strumwise::testing
