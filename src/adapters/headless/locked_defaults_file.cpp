#include "adapters/headless/locked_defaults_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <vector>

#include "base/printable_text.h"

namespace strumwise::platform::headless {
namespace {

constexpr int kMaxLinks = 40;  // as many as the kernel follows in one path

// A replacement is written to `<file>.XXXXXX.partial` in the same folder before it takes the file's
// name; the six characters are mkostemps' and the suffix tells these files from the user's own.
constexpr std::string_view kTemporarySuffix = ".partial";
constexpr std::size_t kTemporaryExtra = 7 + kTemporarySuffix.size();  // ".XXXXXX" and the suffix

std::string reason() {
    return std::strerror(errno);
}

// `path` with the symbolic links that lead to the file followed; a missing file ends the chain.
std::optional<std::string> resolveLinks(std::string path) {
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return path;
        }
        std::error_code failure;
        const std::filesystem::path target = std::filesystem::read_symlink(path, failure);
        if (failure) {
            return path;
        }
        path = target.is_absolute() ? target.string()
                                    : (std::filesystem::path(path).parent_path() / target).string();
    }
    return std::nullopt;
}

std::string folderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

std::string fileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// The longest file name the folder takes.
std::size_t longestName(const std::string& folder) {
    const long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return longest > 0 ? static_cast<std::size_t>(longest) : NAME_MAX;
}

// Whether `name` is one of the temporaries a replacement of `file` writes.
bool isTemporaryOf(std::string_view name, std::string_view file) {
    if (name.size() != file.size() + kTemporaryExtra || !name.starts_with(file) ||
        !name.ends_with(kTemporarySuffix) || name[file.size()] != '.') {
        return false;
    }
    const std::string_view random = name.substr(file.size() + 1, 6);
    return std::all_of(random.begin(), random.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

// Removes the temporaries a run killed while replacing `file` left behind. Only the holder of
// the file's lock writes one, so with the lock held every one found is stale.
void removeStaleTemporaries(const std::string& file) {
    const std::string folder = folderOf(file);
    const std::string name = fileNameOf(file);
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        if (!isTemporaryOf(entry->d_name, name)) {
            continue;
        }
        struct stat status {};
        if (::fstatat(::dirfd(listing), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode)) {
            ::unlinkat(::dirfd(listing), entry->d_name, 0);
        }
    }
    ::closedir(listing);
}

// Makes what was written to `descriptor` (a file or a folder) durable; answers false with errno
// set when the disk refused it.
bool syncToDisk(int descriptor) {
    int status = 0;
    while ((status = ::fsync(descriptor)) != 0 && errno == EINTR) {
    }
    return status == 0;
}

bool syncFolder(const std::string& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    const bool synced = syncToDisk(descriptor);
    const int saved = errno;
    ::close(descriptor);
    errno = saved;
    return synced;
}

// Why `file` cannot serve as a defaults file that is read, then replaced; empty when it can.
// Root may write anything, so a file without a single write permission bit counts as read-only
// by intent whoever runs.
std::string unusableReason(const std::string& file, const std::string& shown) {
    struct stat status {};
    if (::stat(file.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) {
            return "defaults file " + shown + " is a directory";
        }
        if (!S_ISREG(status.st_mode)) {
            return "defaults file " + shown + " is not a regular file";
        }
        if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
            ::access(file.c_str(), W_OK) != 0) {
            return "defaults file " + shown + " is read-only";
        }
    } else if (errno != ENOENT) {
        return "cannot read defaults file " + shown + ": " + reason();
    }
    const std::string folder = folderOf(file);
    if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        errno = ENOENT;
        return "cannot create defaults file " + shown + ": " + reason();
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        return "cannot write defaults file " + shown + ": its folder is not writable";
    }
    // Found now rather than when the run's results are written at its end.
    const std::size_t longest = longestName(folder);
    if (fileNameOf(file).size() + kTemporaryExtra > longest) {
        return "defaults file " + shown + ": the name is too long; it is replaced through a " +
               "file whose name is " + std::to_string(kTemporaryExtra) +
               " characters longer, and names here have at most " + std::to_string(longest);
    }
    return {};
}

bool writeAll(int descriptor, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(descriptor, contents.data(), contents.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = ENOSPC;
            }
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

LockedDefaultsFile::LockedDefaultsFile(std::string shownPath, std::string filePath, int descriptor)
    : shownPath_(std::move(shownPath)), filePath_(std::move(filePath)), descriptor_(descriptor) {}

LockedDefaultsFile::~LockedDefaultsFile() {
    ::close(descriptor_);
}

std::unique_ptr<LockedDefaultsFile> LockedDefaultsFile::open(const std::string& path,
                                                             std::string& error) {
    const std::string shown = shownName(path);
    const std::optional<std::string> file = resolveLinks(path);
    if (!file) {
        error = "defaults file " + shown + " is a chain of too many symbolic links";
        return nullptr;
    }
    if (error = unusableReason(*file, shown); !error.empty()) {
        return nullptr;
    }
    // Another run may replace the file while this one waits for the lock; the lock that counts
    // is the one on the file that has the name once it is held.
    for (;;) {
        // Non-blocking, so that a FIFO put in the file's place cannot stall the open.
        const int descriptor =
            ::open(file->c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
        if (descriptor < 0) {
            error = "cannot open defaults file " + shown + ": " + reason();
            return nullptr;
        }
        struct stat opened {};
        if (::fstat(descriptor, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(descriptor);
            error = "defaults file " + shown + " is not a regular file";
            return nullptr;
        }
        int locked = 0;
        while ((locked = ::flock(descriptor, LOCK_EX)) != 0 && errno == EINTR) {
        }
        if (locked != 0) {
            error = "cannot lock defaults file " + shown + ": " + reason();
            ::close(descriptor);
            return nullptr;
        }
        struct stat named {};
        if (::stat(file->c_str(), &named) == 0 && sameFile(named, opened)) {
            removeStaleTemporaries(*file);
            return std::unique_ptr<LockedDefaultsFile>(
                new LockedDefaultsFile(shown, *file, descriptor));
        }
        ::close(descriptor);
    }
}

std::optional<std::string> LockedDefaultsFile::read(std::string& error) const {
    std::string contents;
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const ssize_t count =
            ::pread(descriptor_, buffer.data(), buffer.size(), static_cast<off_t>(contents.size()));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            error = "cannot read defaults file " + shownPath_ + ": " + reason();
            return std::nullopt;
        }
        if (count == 0) {
            return contents;
        }
        contents.append(buffer.data(), static_cast<std::size_t>(count));
        if (contents.size() > kMaxBytes) {
            error = "defaults file " + shownPath_ + " is larger than 1 MiB";
            return std::nullopt;
        }
    }
}

bool LockedDefaultsFile::replace(std::string_view contents, std::string& error) {
    struct stat current {};
    if (::fstat(descriptor_, &current) != 0) {
        error = "cannot write defaults file " + shownPath_ + ": " + reason();
        return false;
    }
    std::string name = filePath_ + ".XXXXXX" + std::string(kTemporarySuffix);
    const int temporary =
        ::mkostemps(name.data(), static_cast<int>(kTemporarySuffix.size()), O_CLOEXEC);
    if (temporary < 0) {
        error = "cannot write defaults file " + shownPath_ + ": " + reason();
        return false;
    }
    bool replaced =
        writeAll(temporary, contents) && ::fchmod(temporary, current.st_mode & 07777) == 0;
    // Root writing a user's file hands it back to the user; anyone else cannot and need not.
    if (replaced && ::geteuid() == 0 && ::fchown(temporary, current.st_uid, current.st_gid) != 0) {
        replaced = false;
    }
    // The new contents reach the disk before they take the name, so that a crash leaves either
    // the old file or the new one whole. Nobody else knows the temporary's name yet, so its lock
    // is free.
    replaced = replaced && syncToDisk(temporary) && ::flock(temporary, LOCK_EX | LOCK_NB) == 0 &&
               ::rename(name.c_str(), filePath_.c_str()) == 0;
    if (!replaced) {
        error = "cannot write defaults file " + shownPath_ + ": " + reason();
        ::unlink(name.c_str());
        ::close(temporary);
        return false;
    }
    // And the rename itself is made durable, or the old file could come back after a crash.
    if (!syncFolder(folderOf(filePath_))) {
        error = "cannot write defaults file " + shownPath_ + ": " + reason();
        ::close(descriptor_);
        descriptor_ = temporary;
        return false;
    }
    // Runs waiting on the old file wake, see it has lost its name and queue on this one.
    ::close(descriptor_);
    descriptor_ = temporary;
    return true;
}

}  // namespace strumwise::platform::headless
