#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "adapters/headless/ini_user_defaults.h"
#include "adapters/headless/memory_user_defaults.h"
#include "support/scratch_folder.h"

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
    void write(const std::string& text) { std::ofstream(path) << text; }
    std::string read() const {
        std::ifstream in(path);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    strumwise::testing::ScratchFolder folder{"ini"};
    const std::filesystem::path& directory = folder.path();
    std::string path = folder.file("defaults.ini");
    std::string error;
};

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

// Only a regular file of well-formed lines, or a missing one in an existing folder, can hold the
// defaults; anything else is refused with one clear line (naming the line at fault in a
// malformed file) before it is read, and left as it was.
TEST_F(IniUserDefaultsTest, WhatCannotHoldTheDefaultsIsOneClearLineAndLeftUntouched) {
    const std::string fifo = (directory / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string readOnly = (directory / "read-only.ini").string();
    std::ofstream(readOnly) << "[com.strumwise.tuner]\nnumberOfRuns=3\n";
    std::filesystem::permissions(readOnly, std::filesystem::perms(0444));
    const std::string huge = (directory / "huge.ini").string();
    std::ofstream(huge) << std::string(LockedDefaultsFile::kMaxBytes, '\n') << "#";
    const std::string malformed = "malformed defaults file " + path + ": line ";
    const struct {
        std::string target;
        std::string text;  // written to the defaults file first, unless empty
        std::string said;  // the start of the error
    } cases[] = {
        {path, "[com.strumwise.tuner]\nnumberOfRuns\n", malformed + "2: expected key=value"},
        {path, "x=\"unterminated\n", malformed + "1: value of 'x'"},
        {path, "[com.strumwise.tuner\n", malformed + "1: unterminated section header"},
        {path, "[com.example.other]\nx=1\n", malformed + "1: section [com.example.other] is not"},
        {path, "x=\"bad \\q escape\"\n", malformed + "1: value of 'x'"},
        {fifo, "", "defaults file " + fifo + " is not a regular file"},
        {directory.string(), "", "defaults file " + directory.string() + " is a directory"},
        {readOnly, "", "defaults file " + readOnly + " is read-only"},
        {huge, "", "defaults file " + huge + " is larger than 1 MiB"},
        {(directory / "no" / "dir.ini").string(), "", "cannot create defaults file "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target + " " + c.text);
        if (!c.text.empty()) {
            write(c.text);
        }
        error.clear();
        EXPECT_EQ(IniUserDefaults::open(c.target, kDomain, error), nullptr);
        EXPECT_EQ(error.rfind(c.said, 0), 0u) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
        if (!c.text.empty()) {
            EXPECT_EQ(read(), c.text);
        }
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(std::filesystem::status(readOnly).permissions(), std::filesystem::perms(0444));
    EXPECT_FALSE(std::filesystem::exists(directory / "no"));
}

// A link is written through, so its target keeps being the defaults, with its own mode; a run
// that changed nothing writes nothing, and one that did lays its keys over the file as it is
// then, so keys another process wrote meanwhile survive.
TEST_F(IniUserDefaultsTest, WritesGoThroughLinksKeepTheModeAndOnlyCarryChanges) {
    write("; by hand\n\n[com.strumwise.tuner]\n  numberOfRuns = 11 \n# runs\n");
    std::filesystem::permissions(path, std::filesystem::perms(0640));
    const auto link = directory / "link.ini";
    std::filesystem::create_symlink("defaults.ini", link);
    {
        auto defaults = IniUserDefaults::open(link.string(), kDomain, error);
        ASSERT_NE(defaults, nullptr) << error;
        EXPECT_EQ(defaults->integerForKey("numberOfRuns"), 11);  // comments and spaces skipped
        write("[com.strumwise.tuner]\nnumberOfRuns=12\nother=1\n");
        EXPECT_TRUE(defaults->synchronize());
        EXPECT_EQ(read(), "[com.strumwise.tuner]\nnumberOfRuns=12\nother=1\n");
        defaults->setBool(true, "Plinmoor");
        EXPECT_TRUE(defaults->synchronize());
        EXPECT_EQ(defaults->integerForKey("numberOfRuns"), 12);
    }
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(read(),
              "# Strumwise user defaults\n[com.strumwise.tuner]\nPlinmoor=true\n"
              "numberOfRuns=12\nother=1\n");
    // The temporary file had a name of its own and is gone.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory), {}), 2);
}

}  // namespace
}  // namespace strumwise::platform::headless
