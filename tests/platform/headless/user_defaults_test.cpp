#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless/ini_user_defaults.h"
#include "platform/headless/memory_user_defaults.h"

namespace strumwise::platform::headless {
namespace {

const std::string kDomain = "com.strumwise.tuner";

TEST(MemoryUserDefaults, AbsentKeysReadAsNothingAndValuesConvertOnRead) {
    MemoryUserDefaults defaults;
    EXPECT_FALSE(defaults.boolForKey("Plinmoor"));
    EXPECT_EQ(defaults.integerForKey("numberOfRuns"), 0);

    defaults.setInteger(3, "runs");
    defaults.setString("YES", "flag");
    defaults.setString("12.5 apples", "text");
    defaults.setDouble(1e300, "huge");
    EXPECT_EQ(defaults.stringForKey("runs"), "3");
    EXPECT_TRUE(defaults.boolForKey("flag"));
    EXPECT_EQ(defaults.integerForKey("text"), 12);
    EXPECT_DOUBLE_EQ(defaults.doubleForKey("text"), 12.5);
    EXPECT_EQ(defaults.integerForKey("huge"), INT64_MAX);  // saturates instead of overflowing
}

class IniUserDefaultsTest : public ::testing::Test {
  protected:
    IniUserDefaultsTest() {
        directory = std::filesystem::temp_directory_path() /
                    ("strumwise-ini-" + std::to_string(::getpid()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(directory);
        path = (directory / "defaults.ini").string();
    }
    ~IniUserDefaultsTest() override { std::filesystem::remove_all(directory); }

    void write(const std::string& text) { std::ofstream(path) << text; }
    std::string read() const {
        std::ifstream in(path);
        std::stringstream contents;
        contents << in.rdbuf();
        return contents.str();
    }

    std::filesystem::path directory;
    std::string path;
    std::string error;
};

TEST_F(IniUserDefaultsTest, AHandWrittenFileWithCommentsReads) {
    write("; by hand\n\n[com.strumwise.tuner]\n  Plinmoor = true \n# runs\nnumberOfRuns=4\n");
    auto defaults = IniUserDefaults::open(path, kDomain, error);
    ASSERT_NE(defaults, nullptr) << error;
    EXPECT_TRUE(defaults->boolForKey("Plinmoor"));
    EXPECT_EQ(defaults->integerForKey("numberOfRuns"), 4);
}

TEST_F(IniUserDefaultsTest, AMissingFileIsCreatedAndValuesPersistAcrossRuns) {
    {
        auto defaults = IniUserDefaults::open(path, kDomain, error);
        ASSERT_NE(defaults, nullptr) << error;
        EXPECT_TRUE(std::filesystem::exists(path));
        defaults->setBool(true, "Plinmoor");
        defaults->setInteger(-7, "numberOfRuns");
        defaults->setDouble(2.0, "whole");
        defaults->setDouble(1704067200.125, "date");
        defaults->setString("line\none \"quoted\" = é", "text");
        defaults->setString("", "empty");
        defaults->setInteger(1, "odd key = [x]");
        EXPECT_TRUE(defaults->synchronize());
    }
    auto reopened = IniUserDefaults::open(path, kDomain, error);
    ASSERT_NE(reopened, nullptr) << error;
    // Each value reads back with the type it was written with.
    EXPECT_EQ(reopened->values().snapshot(),
              (DefaultsMap{{"Plinmoor", true},
                           {"numberOfRuns", std::int64_t{-7}},
                           {"whole", 2.0},
                           {"date", 1704067200.125},
                           {"text", std::string("line\none \"quoted\" = é")},
                           {"empty", std::string()},
                           {"odd key = [x]", std::int64_t{1}}}));
}

TEST_F(IniUserDefaultsTest, AMalformedFileIsOneClearErrorNamingTheLine) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"[com.strumwise.tuner]\nnumberOfRuns\n", "line 2: expected key=value"},
        {"x=\"unterminated\n", "line 1: value of 'x'"},
        {"[com.strumwise.tuner\n", "line 1: unterminated section header"},
        {"[com.example.other]\nx=1\n", "line 1: section [com.example.other] is not"},
        {"x=\"bad \\q escape\"\n", "line 1: value of 'x'"},
    };
    for (const auto& [text, expected] : cases) {
        write(text);
        error.clear();
        EXPECT_EQ(IniUserDefaults::open(path, kDomain, error), nullptr) << text;
        EXPECT_NE(error.find("malformed defaults file " + path + ": " + expected),
                  std::string::npos)
            << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
    // The malformed file is left as it was, not overwritten.
    EXPECT_EQ(read(), "x=\"bad \\q escape\"\n");
}

TEST_F(IniUserDefaultsTest, AFileThatCannotBeCreatedIsAnError) {
    const std::string missingDirectory = (directory / "no" / "such" / "dir.ini").string();
    EXPECT_EQ(IniUserDefaults::open(missingDirectory, kDomain, error), nullptr);
    EXPECT_NE(error.find("cannot create defaults file " + missingDirectory), std::string::npos)
        << error;
}

}  // namespace
}  // namespace strumwise::platform::headless
