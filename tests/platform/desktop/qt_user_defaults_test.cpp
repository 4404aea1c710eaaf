// The desktop's user defaults: what is written comes back, across instances, through the INI
// file in the XDG configuration directory.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <thread>
#include <vector>

#include "base/settings_keys.h"
#include "platform/desktop/qt_user_defaults.h"
#include "platform/headless/headless_log.h"
#include "qt_test_app.h"

namespace strumwise::platform::desktop {
namespace {

constexpr std::string_view kDomain = "com.strumwise.tuner";

class QtUserDefaultsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::qtTestApp();
        ASSERT_TRUE(home_.isValid());
        qputenv("XDG_CONFIG_HOME", home_.path().toUtf8());
    }
    void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }

    QString path() const { return QtUserDefaults::defaultFilePath(kDomain); }

    QTemporaryDir home_;
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

// Two windows at once: each writes only what it changed, over the file as it is then, and
// nothing when nothing changed, so neither undoes the other's count nor drops a key added
// meanwhile by another process.
TEST_F(QtUserDefaultsTest, TwoWindowsAtOnceKeepEachOthersCountsAndKeys) {
    const auto runs = settings::kNumberOfRunsKey;
    QtUserDefaults first(std::string(kDomain), path());
    first.setInteger(11, runs);
    ASSERT_TRUE(first.synchronize());
    {
        QtUserDefaults second(std::string(kDomain), path());
        second.setInteger(second.integerForKey(runs) + 1, runs);
        ASSERT_TRUE(second.synchronize());
    }
    QSettings(path(), QSettings::IniFormat).setValue(QStringLiteral("addedMeanwhile"), 1);
    EXPECT_TRUE(first.synchronize());
    first.setBool(true, settings::kDeclinedToRateKey);
    ASSERT_TRUE(first.synchronize());
    EXPECT_EQ(first.integerForKey(runs), 12);

    const QtUserDefaults reread(std::string(kDomain), path());
    EXPECT_EQ(reread.integerForKey(runs), 12);
    EXPECT_TRUE(reread.boolForKey("addedMeanwhile"));
    EXPECT_TRUE(reread.boolForKey(settings::kDeclinedToRateKey));
}

// A file that cannot be parsed is kept aside with one log line, and the application starts as on
// a first run; the first write replaces the file.
TEST_F(QtUserDefaultsTest, AnUnreadableFileIsKeptAsCorruptAndTheStoreStartsAfresh) {
    const QByteArray unreadable("numberOfRuns=7\n[General\ngarbage\n");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path()).absolutePath()));
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(unreadable);
    file.close();

    platform::headless::HeadlessLog log;
    {
        QtUserDefaults defaults(std::string(kDomain), path(), &log);
        EXPECT_EQ(defaults.integerForKey(settings::kNumberOfRunsKey), 0);
        defaults.setBool(true, settings::kHasRunBeforeKey);
        ASSERT_TRUE(defaults.synchronize());
    }
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_NE(log.lines()[0].find(path().toStdString() + ".corrupt"), std::string::npos);
    QFile copy(path() + QStringLiteral(".corrupt"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), unreadable);
    const QtUserDefaults reread(std::string(kDomain), path());
    EXPECT_TRUE(reread.boolForKey(settings::kHasRunBeforeKey));
    EXPECT_EQ(reread.integerForKey(settings::kNumberOfRunsKey), 0);
}

}  // namespace
}  // namespace strumwise::platform::desktop
