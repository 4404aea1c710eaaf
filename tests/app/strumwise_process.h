#pragma once

// The strumwise executable in a child process of its own, as a user runs it: its arguments,
// standard input, where its standard output goes, its environment and its limits; answers what
// it wrote and how it ended.

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace strumwise::testing {

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

}  // namespace strumwise::testing
