// Runs of the executable that share one defaults file at the same time.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "adapters/headless/ini_user_defaults.h"
#include "support/scratch_folder.h"

namespace strumwise::platform::headless {
namespace {

// Twenty runs of the real command at once on one file count twenty runs, and each succeeds.
TEST(ParallelRuns, TwentyHeadlessRunsOnOneDefaultsFileCountTwentyAndAllSucceed) {
    const strumwise::testing::ScratchFolder folder("parallel");
    const std::string path = folder.file("defaults.ini");
    const std::string silence = folder.file("silence.wav");
    strumwise::testing::writeWav(silence, std::vector<std::int16_t>(1400, 0));
    constexpr int kRuns = 20;
    std::vector<pid_t> runs;
    for (int run = 0; run < kRuns; ++run) {
        std::vector<std::string> args{STRUMWISE_BINARY, "headless", silence, "--defaults", path,
                                      "--until",        "0"};
        std::vector<char*> argv;
        for (auto& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        EXPECT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        runs.push_back(pid);
    }
    for (const pid_t pid : runs) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    std::string error;
    const auto defaults = IniUserDefaults::open(path, "com.strumwise.tuner", error);
    ASSERT_NE(defaults, nullptr) << error;
    EXPECT_EQ(defaults->integerForKey("numberOfRuns"), kRuns);
    EXPECT_EQ(defaults->integerForKey("kRatingPromptUseCount"), kRuns);
}

}  // namespace
}  // namespace strumwise::platform::headless
