#include "app/commands/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace strumwise::app {

void guardStandardStreams() {
    std::signal(SIGPIPE, SIG_DFL);
    for (int descriptor = 0; descriptor <= STDERR_FILENO; ++descriptor) {
        if (::fcntl(descriptor, F_GETFD) != -1 || errno != EBADF) {
            continue;
        }
        const int placeholder = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (placeholder >= 0 && placeholder != descriptor) {
            ::dup2(placeholder, descriptor);
            ::close(placeholder);
        }
    }
}

int finishStandardOutput(std::string_view name, int status) {
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    if (flushed && std::ferror(stdout) == 0) {
        return status;
    }
    const int error = errno;
    if (error == EPIPE) {
        // The reader has gone (`| head`): end as SIGPIPE ends any filter, even where the
        // signal was ignored when this process started.
        std::signal(SIGPIPE, SIG_DFL);
        std::raise(SIGPIPE);
    }
    if (status != 0) {
        return status;  // the command has already said what went wrong
    }
    std::fprintf(stderr, "%.*s: could not write the output: %s\n", static_cast<int>(name.size()),
                 name.data(), error != 0 ? std::strerror(error) : "write error");
    return 1;
}

}  // namespace strumwise::app
