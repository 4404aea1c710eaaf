#pragma once

// A folder of the test's own for the files it makes, and the sound files tests make most: a
// mono 16-bit WAV of given samples, and what sox renders.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>

#include "adapters/sound_files/wav_file.h"

namespace strumwise::testing {

// Named after the process and the running test, so that tests run at once never share one;
// removed with all it holds when the test ends.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& kind)
        : path_(std::filesystem::temp_directory_path() /
                ("strumwise-" + kind + "-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

// Writes `samples` to `path` as a mono WAV at `rate`; a failure fails the test.
inline void writeWav(const std::string& path, std::span<const std::int16_t> samples,
                     int rate = 14039) {
    platform::sound_files::WavFileWriter file(path, rate, 1);
    file.write(samples.data(), samples.size());
    EXPECT_TRUE(file.close()) << file.error();
}

// Runs sox quietly with these arguments, its random generator repeatable (-R) so that noise
// and plucks are the same on every run; a failure fails the test.
inline void sox(const std::string& arguments) {
    const std::string command = "sox -q -R " + arguments + " 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

}  // namespace strumwise::testing
