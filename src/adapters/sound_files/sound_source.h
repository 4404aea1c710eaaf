#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace strumwise::platform::sound_files {

// The bytes of a sound file named on the command line, opened once and readable at any offset,
// as often as needed and from any thread, so that counting a file and then playing it, or
// playing it again, never opens it a second time.
//
// `-` is standard input. A regular file is read where it lies. Anything else (a pipe, a FIFO,
// /dev/stdin on a pipe, a terminal, a device) can be read only once and not sought in, so it is
// first copied whole into an unnamed temporary file, which goes with the last reference.
class SoundSource {
  public:
    // The most a pipe or FIFO may carry; the largest a plain WAV file can be.
    static constexpr std::int64_t kMaxBufferedBytes = std::int64_t{4} << 30;

    // Opens `path` and, for a stream, reads it to its end. Answers nullptr and sets `error` to
    // one line naming the file when it cannot be used.
    static std::shared_ptr<SoundSource> open(const std::string& path, std::string& error);
    ~SoundSource();
    SoundSource(const SoundSource&) = delete;
    SoundSource& operator=(const SoundSource&) = delete;

    // The name as given, for messages.
    const std::string& path() const { return path_; }
    // How many bytes it held when it was opened.
    std::int64_t size() const { return size_; }

    // Copies up to `count` bytes from `offset` into `into` and answers how many: fewer only at
    // the end. A read that fails answers 0 and is kept in failure().
    std::int64_t readAt(void* into, std::int64_t count, std::int64_t offset);

    // Whether a read found the file shorter than it was when opened: it was cut short while it
    // was read, and what is missing is gone.
    bool truncated() const { return truncated_.load(); }
    // The system's reason for the first read that failed; empty while none has.
    std::string failure() const;

  private:
    SoundSource(std::string path, int descriptor, std::int64_t base, std::int64_t size);

    const std::string path_;
    const int descriptor_;
    const std::int64_t base_;  // where the sound starts: standard input may be read in part
    const std::int64_t size_;
    std::atomic<bool> truncated_{false};
    std::atomic<int> failedWith_{0};
};

}  // namespace strumwise::platform::sound_files
