// The desktop's user defaults: what is written comes back, across instances, through the INI
// file in the XDG configuration directory.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <future>
#include <latch>
#include <random>
#include <thread>
#include <vector>

#include "adapters/desktop/settings/qt_user_defaults.h"
#include "adapters/headless/headless_log.h"
#include "base/settings_keys.h"
#include "qt_test_app.h"
#include "rating/stored_counter.h"

namespace strumwise::platform::desktop {
namespace {

constexpr std::string_view kDomain = "com.strumwise.tuner";

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class QtUserDefaultsTest : public ::testing::Test {
  protected:
    QString path() const { return QtUserDefaults::defaultFilePath(kDomain); }
    std::string name() const { return path().toStdString(); }
    void makeFolder() const { ASSERT_TRUE(QDir().mkpath(QFileInfo(path()).absolutePath())); }

    testing::TestConfigHome home_;
};

// Absent keys read as nothing; written values come back with their types after a restart,
// whether or not the store was synchronized before it closed; the file lives in the XDG
// configuration directory.
TEST_F(QtUserDefaultsTest, EveryKindOfValueSurvivesARestartInTheXdgConfigurationDirectory) {
    EXPECT_EQ(path(), home_.path() + QStringLiteral("/strumwise/com.strumwise.tuner.ini"));
    {
        QtUserDefaults defaults(std::string(kDomain), path());
        // Absent keys read as nothing: that is how the first run is recognised.
        EXPECT_FALSE(defaults.boolForKey(settings::kHasRunBeforeKey));
        EXPECT_EQ(defaults.integerForKey(settings::kNumberOfRunsKey), 0);
        EXPECT_EQ(defaults.stringForKey(settings::kCurrentVersionKey), std::nullopt);
        defaults.setBool(true, settings::kHasRunBeforeKey);
        defaults.setInteger(9'000'000'000, settings::kNumberOfRunsKey);
        defaults.setString("1.0.0", settings::kCurrentVersionKey);
        defaults.setDouble(1733475600.125, settings::kFirstUseDateKey);
        defaults.setInteger(-1, settings::kUseCountKey);
        ASSERT_TRUE(defaults.synchronize());
        defaults.setDouble(0.1, settings::kReminderRequestDateKey);
    }
    const QtUserDefaults reread(std::string(kDomain), path());
    EXPECT_TRUE(reread.boolForKey(settings::kHasRunBeforeKey));
    EXPECT_EQ(reread.integerForKey(settings::kNumberOfRunsKey), 9'000'000'000);
    EXPECT_EQ(reread.stringForKey(settings::kCurrentVersionKey), "1.0.0");
    EXPECT_EQ(reread.doubleForKey(settings::kFirstUseDateKey), 1733475600.125);
    EXPECT_EQ(reread.integerForKey(settings::kUseCountKey), -1);
    EXPECT_EQ(reread.doubleForKey(settings::kReminderRequestDateKey), 0.1);
}

TEST_F(QtUserDefaultsTest, WritersOnSeveralThreadsLoseNoKey) {
    QtUserDefaults defaults(std::string(kDomain), path());
    std::vector<std::thread> writers;
    for (int thread = 0; thread < 4; ++thread) {
        writers.emplace_back([&defaults, thread] {
            for (int i = 0; i < 50; ++i) {
                defaults.setInteger(i, "key" + std::to_string(thread) + "_" + std::to_string(i));
                if (i % 10 == 0) {
                    defaults.synchronize();
                }
            }
        });
    }
    for (auto& writer : writers) {
        writer.join();
    }
    ASSERT_TRUE(defaults.synchronize());
    const QtUserDefaults reread(std::string(kDomain), path());
    for (int thread = 0; thread < 4; ++thread) {
        EXPECT_EQ(reread.integerForKey("key" + std::to_string(thread) + "_49"), 49);
    }
}

// Two windows started at once: each read the file when it was made, but counts its run on
// what the file holds at the moment of counting, under the counter's lock, so no run is lost;
// and each writes only what it changed, over the file as it is then, so neither drops a key
// another process added meanwhile.
TEST_F(QtUserDefaultsTest, TwoWindowsStartedAtOnceCountTwoRunsAndKeepEachOthersKeys) {
    const auto runs = settings::kNumberOfRunsKey;
    {
        QtUserDefaults before(std::string(kDomain), path());
        before.setInteger(11, runs);
        ASSERT_TRUE(before.synchronize());
    }
    platform::headless::HeadlessLog log;
    for (int round = 1; round <= 5; ++round) {
        QtUserDefaults first(std::string(kDomain), path());
        QtUserDefaults second(std::string(kDomain), path());
        std::latch start(2);
        auto countRun = [&](QtUserDefaults& window) {
            start.arrive_and_wait();
            rating::incrementStoredCount(window, runs, log);
            window.synchronize();
        };
        std::thread other(countRun, std::ref(second));
        countRun(first);
        other.join();
        EXPECT_EQ(QtUserDefaults(std::string(kDomain), path()).integerForKey(runs), 11 + 2 * round);
    }

    QtUserDefaults first(std::string(kDomain), path());
    QSettings(path(), QSettings::IniFormat).setValue(QStringLiteral("addedMeanwhile"), 1);
    first.setBool(true, settings::kDeclinedToRateKey);
    ASSERT_TRUE(first.synchronize());
    const QtUserDefaults reread(std::string(kDomain), path());
    EXPECT_EQ(reread.integerForKey(runs), 21);
    EXPECT_TRUE(reread.boolForKey("addedMeanwhile"));
    EXPECT_TRUE(reread.boolForKey(settings::kDeclinedToRateKey));
    EXPECT_TRUE(log.lines().empty());
}

// A file with any problem of parsing is kept aside with one log line, and the application starts
// as on a first run; the first write replaces the file. QSettings itself flags only some of
// these: random bytes before a good section mostly pass it by while hiding the section's keys.
TEST_F(QtUserDefaultsTest, AnyParseProblemKeepsTheFileAsCorruptAndTheStoreStartsAfresh) {
    const QByteArray good("[General]\nPlinmoor=true\nnumberOfRuns=7\n");
    std::vector<QByteArray> corrupt{
        "numberOfRuns=7\n[General\ngarbage\n",
        "junk" + good,                      // a stray line glued to the header
        "\xff\xfe" + good,                  // not UTF-8
        QByteArray("x=1\n\0\n", 6) + good,  // a NUL byte
    };
    std::mt19937 random(19);
    for (int i = 0; i < 12; ++i) {
        QByteArray bytes;
        for (std::uint32_t n = 1 + random() % 64; n > 0; --n) {
            bytes.append(static_cast<char>(random() & 0xff));
        }
        corrupt.push_back(bytes + "\n" + good);
    }
    makeFolder();
    for (const QByteArray& unreadable : corrupt) {
        QFile::remove(path() + QStringLiteral(".corrupt"));
        writeFile(path(), unreadable);

        platform::headless::HeadlessLog log;
        {
            QtUserDefaults defaults(std::string(kDomain), path(), &log);
            EXPECT_FALSE(defaults.boolForKey(settings::kHasRunBeforeKey))
                << unreadable.toHex().toStdString();
            EXPECT_EQ(defaults.integerForKey(settings::kNumberOfRunsKey), 0);
            defaults.setInteger(1, settings::kNumberOfRunsKey);
            ASSERT_TRUE(defaults.synchronize());
        }
        ASSERT_EQ(log.lines().size(), 1u) << unreadable.toHex().toStdString();
        EXPECT_NE(log.lines()[0].find(name() + ".corrupt"), std::string::npos);
        EXPECT_EQ(contentsOf(path() + QStringLiteral(".corrupt")), unreadable);
        const QtUserDefaults reread(std::string(kDomain), path());
        EXPECT_EQ(reread.integerForKey(settings::kNumberOfRunsKey), 1)
            << unreadable.toHex().toStdString();
    }

    // Qt's own writing of awkward values, and a hand-written comment, are no problem.
    platform::headless::HeadlessLog log;
    {
        QtUserDefaults defaults(std::string(kDomain), path(), &log);
        defaults.setString("l\u00ednea\n2 ; # = [x] \\ \u20ac \x01", "text");
        defaults.setString("v", "key with space/and=equals");
        ASSERT_TRUE(defaults.synchronize());
    }
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("; a comment\n\n");
    file.close();
    const QtUserDefaults reread(std::string(kDomain), path(), &log);
    EXPECT_EQ(reread.stringForKey("text"), "l\u00ednea\n2 ; # = [x] \\ \u20ac \x01");
    EXPECT_EQ(reread.integerForKey(settings::kNumberOfRunsKey), 1);
    EXPECT_TRUE(log.lines().empty());
}

// A settings file that is a link is followed only to settings that read whole: a link to any
// other file (outside the folder, run as root: /etc/passwd) or to nothing is replaced by a file
// of the store's own, the other file's bytes kept aside, never written through.
TEST_F(QtUserDefaultsTest, ALinkIsWrittenThroughOnlyToSettingsThatReadWhole) {
    makeFolder();
    const QString outside = QFileInfo(path()).absolutePath() + QStringLiteral("/../outside.txt");
    const QByteArray passwd("root:x:0:0:root:/root:/bin/bash\n");
    // Not the size of the file the case before leaves behind ("numberOfRuns=6"): Qt keeps a read
    // file for as long as its size and time stamp stay the same, and a busy machine can write both
    // within one tick of the clock.
    const QByteArray settings("[General]\nnumberOfRuns=15\n");
    const struct {
        QByteArray target;  // empty: the link leads nowhere
        bool followed;
    } cases[] = {{passwd, false}, {QByteArray(), false}, {settings, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        QFile::remove(outside);
        QFile::remove(path());
        QFile::remove(path() + QStringLiteral(".corrupt"));
        if (!c.target.isEmpty()) {
            writeFile(outside, c.target);
        }
        ASSERT_TRUE(QFile::link(outside, path()));
        platform::headless::HeadlessLog log;
        {
            QtUserDefaults defaults(std::string(kDomain), path(), &log);
            EXPECT_EQ(defaults.integerForKey(settings::kNumberOfRunsKey), c.followed ? 15 : 0);
            defaults.setInteger(6, settings::kNumberOfRunsKey);
            EXPECT_TRUE(defaults.synchronize());
        }
        EXPECT_EQ(QFileInfo(path()).isSymLink(), c.followed);
        EXPECT_EQ(
            QtUserDefaults(std::string(kDomain), path()).integerForKey(settings::kNumberOfRunsKey),
            6);
        if (c.followed) {
            EXPECT_TRUE(log.lines().empty());
            continue;
        }
        EXPECT_EQ(contentsOf(outside), c.target.isEmpty() ? "(unreadable)" : c.target);
        ASSERT_EQ(log.lines().size(), 1u);
        EXPECT_NE(log.lines()[0].find("the link is replaced by a file of its own"),
                  std::string::npos)
            << log.lines()[0];
        EXPECT_EQ(QFile::exists(path() + QStringLiteral(".corrupt")), !c.target.isEmpty());
    }
}

// What can never be read or locked (a FIFO or a folder in the file's place, or in the place of
// its lock or its counter's) is never waited on: the store says once why, and keeps the settings
// of that run in memory, or counts without the lock.
TEST_F(QtUserDefaultsTest, WhatCannotBeReadOrLockedIsSaidOnceAndNeverWaitedOn) {
    makeFolder();
    const QByteArray file = QFile::encodeName(path());
    const struct {
        QString place;
        bool fifo;
        const char* said;
        bool kept;  // whether the settings reach the file
    } cases[] = {
        {path(), true, " is not a regular file; the settings of this run will not be kept", false},
        {path(), false, " is a directory; the settings of this run will not be kept", false},
        {path() + QStringLiteral(".lock"), true, ".lock is not a regular file", false},
        {path() + QStringLiteral(".counter.lock"), false, ".counter.lock is a directory", true},
        {path() + QStringLiteral(".counter.lock"), true, ".counter.lock is not a regular file",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.place.toStdString());
        const QByteArray place = QFile::encodeName(c.place);
        ASSERT_EQ(c.fifo ? ::mkfifo(place.constData(), 0600) : ::mkdir(place.constData(), 0700), 0);
        platform::headless::HeadlessLog log;
        // On its own thread, so that a store that waits fails the test instead of hanging it: a
        // writer is then opened on the FIFO, which lets the store go on.
        auto used = std::async(std::launch::async, [&] {
            QtUserDefaults defaults(std::string(kDomain), path(), &log);
            defaults.setBool(true, settings::kHasRunBeforeKey);
            for (int run = 1; run <= 2; ++run) {
                defaults.updateInteger(settings::kNumberOfRunsKey,
                                       [](StoredInteger stored) { return stored.value + 1; });
            }
            return defaults.synchronize();
        });
        if (used.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
            ADD_FAILURE() << "the store waits on " << c.place.toStdString();
            ::close(::open(place.constData(), O_WRONLY | O_NONBLOCK));
        }
        EXPECT_EQ(used.get(), c.kept);
        ASSERT_EQ(log.lines().size(), 1u);
        EXPECT_NE(log.lines()[0].find(name() + c.said), std::string::npos) << log.lines()[0];
        if (c.kept) {
            EXPECT_EQ(QtUserDefaults(std::string(kDomain), path())
                          .integerForKey(settings::kNumberOfRunsKey),
                      2);
        }
        struct stat left {};
        ASSERT_EQ(::lstat(place.constData(), &left), 0);
        EXPECT_EQ(c.fifo ? S_ISFIFO(left.st_mode) : S_ISDIR(left.st_mode), true);
        ::remove(place.constData());
        ::remove(file.constData());
    }
}

}  // namespace
}  // namespace strumwise::platform::desktop
