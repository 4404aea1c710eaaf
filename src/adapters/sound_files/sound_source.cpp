#include "adapters/sound_files/sound_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/printable_text.h"

namespace strumwise::platform::sound_files {
namespace {

std::string temporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

// A file in `folder` that no other process can reach and that is gone once closed.
int unnamedTemporary(const std::string& folder) {
    const int descriptor = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (descriptor >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) {
        return descriptor;
    }
    // A file system without unnamed files: a named one, unlinked at once.
    std::string name = folder + "/strumwise-input-XXXXXX";
    const int named = ::mkostemp(name.data(), O_CLOEXEC);
    if (named >= 0) {
        ::unlink(name.c_str());
    }
    return named;
}

bool writeAll(int descriptor, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(descriptor, data, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Copies what `input` gives until its end into an unnamed temporary file; answers that file, or
// -1 with `error` set.
int bufferStream(int input, const std::string& shown, std::int64_t& size, std::string& error) {
    const std::string folder = temporaryFolder();
    const int copy = unnamedTemporary(folder);
    if (copy < 0) {
        error = "cannot keep " + shown + " while it is read: no temporary file in " +
                shownName(folder) + ": " + std::strerror(errno);
        return -1;
    }
    std::vector<char> chunk(64 * 1024);
    size = 0;
    for (;;) {
        const ssize_t got = ::read(input, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = "cannot read " + shown + ": " + std::strerror(errno);
            break;
        }
        if (got == 0) {
            return copy;
        }
        if (size + got > SoundSource::kMaxBufferedBytes) {
            error = "cannot read " + shown + ": a stream of more than 4 GiB is more than a sound " +
                    "file can hold";
            break;
        }
        if (!writeAll(copy, chunk.data(), static_cast<std::size_t>(got))) {
            error = "cannot keep " + shown + " while it is read: writing to " + shownName(folder) +
                    " failed: " + std::strerror(errno);
            break;
        }
        size += got;
    }
    ::close(copy);
    return -1;
}

}  // namespace

SoundSource::SoundSource(std::string path, int descriptor, std::int64_t base, std::int64_t size)
    : path_(std::move(path)), descriptor_(descriptor), base_(base), size_(size) {}

SoundSource::~SoundSource() {
    ::close(descriptor_);
}

std::shared_ptr<SoundSource> SoundSource::open(const std::string& path, std::string& error) {
    const std::string shown = shownName(path);
    const bool standardInput = path == "-";
    const int descriptor = standardInput ? ::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0)
                                         : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        error = "cannot read " + shown + ": " + std::strerror(errno);
        return nullptr;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        error = "cannot read " + shown + ": " + std::strerror(errno);
        ::close(descriptor);
        return nullptr;
    }
    if (S_ISDIR(status.st_mode)) {
        error = "cannot read " + shown + ": it is a folder, not a sound file";
        ::close(descriptor);
        return nullptr;
    }
    if (S_ISREG(status.st_mode)) {
        // Standard input redirected from a file starts where the shell, or an earlier reader,
        // left it.
        const off_t start = standardInput ? ::lseek(descriptor, 0, SEEK_CUR) : 0;
        if (start >= 0) {
            const std::int64_t base = std::min<std::int64_t>(start, status.st_size);
            return std::shared_ptr<SoundSource>(
                new SoundSource(path, descriptor, base, status.st_size - base));
        }
    }
    std::int64_t size = 0;
    const int copy = bufferStream(descriptor, shown, size, error);
    ::close(descriptor);
    if (copy < 0) {
        return nullptr;
    }
    return std::shared_ptr<SoundSource>(new SoundSource(path, copy, 0, size));
}

std::int64_t SoundSource::readAt(void* into, std::int64_t count, std::int64_t offset) {
    if (count <= 0 || offset < 0) {
        return 0;
    }
    auto* bytes = static_cast<char*>(into);
    std::int64_t total = 0;
    while (total < count) {
        const ssize_t got =
            ::pread(descriptor_, bytes + total, static_cast<std::size_t>(count - total),
                    static_cast<off_t>(base_ + offset + total));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            int none = 0;
            failedWith_.compare_exchange_strong(none, errno);
            return 0;
        }
        if (got == 0) {
            break;
        }
        total += got;
    }
    if (total < count && offset + total < size_) {
        truncated_ = true;
    }
    return total;
}

std::string SoundSource::failure() const {
    const int failed = failedWith_.load();
    return failed == 0 ? std::string() : std::strerror(failed);
}

}  // namespace strumwise::platform::sound_files
