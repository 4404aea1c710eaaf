#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace strumwise::platform::headless {

// A defaults file that other processes may share, held under an exclusive advisory lock (flock)
// from open until this object is destroyed, so that runs on one file take turns and none loses
// another's counts.
//
// Only a regular file, or a missing one in an existing folder, is accepted: a device, a FIFO or
// a folder is refused before anything is read or written, and so is a name too long to leave
// room for the temporary's. A symbolic link is followed, and the file it leads to is the one read
// and replaced. The file is replaced whole through a temporary `<file>.XXXXXX.partial` in the same
// folder, which takes over the mode (and, for root, the owner) of the file it replaces and is
// flushed to the disk before it takes the file's name, the folder after; the lock moves to the
// new file before it takes the old one's name. Temporaries a killed run left behind are removed
// once the lock is held.
class LockedDefaultsFile {
  public:
    // Files larger than this are not defaults this program wrote; they are refused unread.
    static constexpr std::size_t kMaxBytes = std::size_t{1} << 20;

    // Checks `path`, creates the file empty when it is missing, and waits for the lock. Answers
    // nullptr and sets `error` to one line naming `path` when the file cannot be used.
    static std::unique_ptr<LockedDefaultsFile> open(const std::string& path, std::string& error);
    ~LockedDefaultsFile();
    LockedDefaultsFile(const LockedDefaultsFile&) = delete;
    LockedDefaultsFile& operator=(const LockedDefaultsFile&) = delete;

    // The whole file as it is now; nullopt with `error` set when it cannot be read or is too long.
    std::optional<std::string> read(std::string& error) const;
    // Replaces the file with `contents`, keeping the lock. Answers whether that succeeded.
    bool replace(std::string_view contents, std::string& error);

  private:
    LockedDefaultsFile(std::string shownPath, std::string filePath, int descriptor);

    const std::string shownPath_;  // as the user gave it, made printable, for messages
    const std::string filePath_;   // with every symbolic link resolved
    int descriptor_;               // the locked file
};

}  // namespace strumwise::platform::headless
