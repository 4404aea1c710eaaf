#include "adapters/sound_files/wav_file.h"

#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "adapters/sound_files/sndfile_reason.h"
#include "base/printable_text.h"

namespace strumwise::platform::sound_files {
namespace {

SNDFILE* handle(void* file) {
    return static_cast<SNDFILE*>(file);
}

// Where `path` leads when it is no plain file to write in place: standard output, or a FIFO or
// device by name, opened for writing; -1 when `path` is, or may become, a plain file.
int openStream(const std::string& path, std::string& error) {
    if (path == "-") {
        struct stat status {};
        if (::fstat(STDOUT_FILENO, &status) == 0 && S_ISREG(status.st_mode)) {
            return ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
        }
        const int stream = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
        if (stream < 0) {
            error = std::strerror(errno);
        }
        return stream;
    }
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || S_ISREG(status.st_mode) || S_ISDIR(status.st_mode)) {
        return -1;
    }
    const int stream = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (stream < 0) {
        error = std::strerror(errno);
    }
    return stream;
}

int unnamedTemporary() {
    const char* folder = std::getenv("TMPDIR");
    const std::string where = folder != nullptr && *folder != '\0' ? folder : "/tmp";
    const int descriptor = ::open(where.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (descriptor >= 0) {
        return descriptor;
    }
    std::string name = where + "/strumwise-wav-XXXXXX";
    const int named = ::mkostemp(name.data(), O_CLOEXEC);
    if (named >= 0) {
        ::unlink(name.c_str());
    }
    return named;
}

// Copies the whole of `from` to `to`; false with errno set when a write fails.
bool copyAll(int from, int to) {
    std::vector<char> chunk(64 * 1024);
    for (off_t offset = 0;;) {
        const ssize_t got = ::pread(from, chunk.data(), chunk.size(), offset);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return got == 0;
        }
        offset += got;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put =
                ::write(to, chunk.data() + done, static_cast<std::size_t>(got - done));
            if (put < 0 && errno == EINTR) {
                continue;
            }
            if (put <= 0) {
                return false;
            }
            done += put;
        }
    }
}

}  // namespace

WavFileWriter::WavFileWriter(const std::string& path, int sampleRate, int channels) : path_(path) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    if (sampleRate <= 0 || channels <= 0 || sf_format_check(&info) == 0) {
        fail("unsupported WAV format");
        return;
    }
    std::string streamError;
    const int stream = openStream(path, streamError);
    if (!streamError.empty()) {
        fail(streamError);
        return;
    }
    if (stream < 0) {
        file_ = sf_open(path.c_str(), SFM_WRITE, &info);
        if (file_ == nullptr) {
            fail(sndfileReason(nullptr));
            return;
        }
        // Only a file named as such, not one a symbolic link leads to, is ours to remove.
        struct stat status {};
        removeOnFailure_ = ::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
        return;
    }
    struct stat status {};
    const bool seekable = ::fstat(stream, &status) == 0 && S_ISREG(status.st_mode);
    if (seekable) {
        file_ = sf_open_fd(stream, SFM_WRITE, &info, SF_TRUE);
        if (file_ == nullptr) {
            fail(sndfileReason(nullptr));
        }
        return;
    }
    stream_ = stream;
    temporary_ = unnamedTemporary();
    if (temporary_ < 0) {
        fail(std::string("no temporary file to write it through: ") + std::strerror(errno));
        return;
    }
    file_ = sf_open_fd(temporary_, SFM_WRITE, &info, SF_FALSE);
    if (file_ == nullptr) {
        fail(sndfileReason(nullptr));
    }
}

WavFileWriter::~WavFileWriter() {
    close();
}

bool WavFileWriter::write(const std::int16_t* interleaved, std::size_t frames) {
    if (file_ == nullptr) {
        if (error_.empty()) {
            error_ = "cannot write " + shownName(path_) + ": the file is closed";
        }
        return false;
    }
    const auto count = static_cast<sf_count_t>(frames);
    if (sf_writef_short(handle(file_), interleaved, count) != count) {
        fail(sndfileReason(handle(file_)));
        return false;
    }
    return true;
}

bool WavFileWriter::close() {
    if (file_ == nullptr) {
        return error_.empty();
    }
    return finish();
}

bool WavFileWriter::finish() {
    // The header's sizes are written at close, so a failure here loses the file as surely as a
    // failed write.
    sf_write_sync(handle(file_));
    const int status = sf_close(handle(file_));
    file_ = nullptr;
    if (status != 0) {
        fail(sf_error_number(status));
        return false;
    }
    if (stream_ >= 0) {
        const bool copied = copyAll(temporary_, stream_);
        if (!copied) {
            fail(std::strerror(errno));
        }
        ::close(temporary_);
        ::close(stream_);
        temporary_ = stream_ = -1;
        return copied;
    }
    return error_.empty();
}

void WavFileWriter::fail(const std::string& what) {
    if (error_.empty()) {
        error_ = "cannot write " + shownName(path_) + ": " + what;
    }
    if (file_ != nullptr) {
        sf_close(handle(file_));
        file_ = nullptr;
    }
    if (removeOnFailure_) {
        ::unlink(path_.c_str());
        removeOnFailure_ = false;
    }
    for (int* descriptor : {&temporary_, &stream_}) {
        if (*descriptor >= 0) {
            ::close(*descriptor);
            *descriptor = -1;
        }
    }
}

}  // namespace strumwise::platform::sound_files
