// The desktop's system services: store addresses open as web pages and one nothing opens is
// said so; the bundle's identity and its English and Spanish texts; every product picture drawn,
// and views that outlive their widgets; the --screen profiles and the default; and the run loop's
// order (due time first, then the order of scheduling, timers that stop when their handle goes,
// work posted from any thread) and the serial queues'.
// And the user defaults: what is written comes back, across instances, through the INI file in
// the XDG configuration directory, whatever else writes it or stands in its place.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSettings>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <future>
#include <latch>
#include <ranges>
#include <string>
#include <thread>
#include <vector>

#include "adapters/desktop/settings/qt_user_defaults.h"
#include "adapters/desktop/system/qt_application.h"
#include "adapters/desktop/system/qt_bundle.h"
#include "adapters/desktop/system/qt_device.h"
#include "adapters/desktop/system/qt_dispatch.h"
#include "adapters/desktop/system/qt_run_loop.h"
#include "adapters/desktop/system/screen_profile.h"
#include "adapters/desktop/views/qt_images.h"
#include "adapters/desktop/views/qt_views.h"
#include "adapters/desktop/views/qt_windows.h"
#include "adapters/headless/english_texts.h"
#include "adapters/headless/headless_device.h"
#include "adapters/headless/headless_images.h"
#include "adapters/headless/headless_log.h"
#include "base/settings_keys.h"
#include "qt_test_app.h"
#include "rating/review_url.h"
#include "rating/stored_counter.h"
#include "screen/system_version.h"

namespace strumwise::platform::desktop {
namespace {

using testing::processEventsUntil;

// Every review address the rating prompt gives, for any system (the review link's has the form of
// system 7's), opens the store's web page for writing a review: the older ones, over https, would
// send the browser back to a scheme nothing on the desktop opens. An address nothing opens is
// said so.
TEST(QtApplication, StoreAddressesOpenAsTheStoresWebPagesAndOnesNothingOpensAreNoticed) {
    const std::string reviewPage = "https://apps.apple.com/app/id1163842075?action=write-review";
    for (const double system : {6.0, 7.0, 17.2}) {
        EXPECT_EQ(desktopAddressFor(rating::reviewUrl("1163842075", system)), reviewPage) << system;
    }
    EXPECT_EQ(desktopAddressFor("itms-apps://apps.example.com/"), "https://apps.example.com/");
    EXPECT_EQ(desktopAddressFor("itms-app://x"), "itms-app://x");

    // An address nothing opens is noticed on the window and logged once.
    if (testing::qtTestApp().platformName() != QStringLiteral("offscreen")) {
        GTEST_SKIP() << "only the offscreen platform is sure to have no URL opener";
    }
    QWidget window;
    window.resize(375, 667);
    window.show();
    headless::HeadlessLog log;
    QtApplication application(log);
    application.openURL("itms-apps://apps.example.com/charts");

    const auto* notice = window.findChild<QLabel*>(QStringLiteral("notice"));
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->text(), QStringLiteral("Could not open https://apps.example.com/charts"));
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the notice blocks nothing";
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_TRUE(log.lines()[0].starts_with("Could not open https://apps.example.com/charts"));
}

TEST(QtBundle, AnswersItsIdentityTheHeadlessEnglishTextsAndSpanishFallingBackPerTable) {
    testing::qtTestApp();
    const QtBundle bundle(QLocale(QLocale::English), false);
    EXPECT_EQ(bundle.identifier(), "com.strumwise.tuner");
    EXPECT_EQ(bundle.infoValue("CFBundleDisplayName"), "Strumwise");
    EXPECT_EQ(bundle.language(), "en");
    for (const auto& text : headless::englishTexts()) {
        EXPECT_EQ(bundle.localizedString(text.key, "", text.table), text.text) << text.key;
    }

    // Spanish translates the titles and the rating prompt, and falls back per table.
    const QtBundle spanish(QLocale(QLocale::Spanish, QLocale::Spain), false);
    EXPECT_EQ(spanish.language(), "es");
    EXPECT_EQ(spanish.localizedString("TuningFreeTitle", "", ""), "Sol abierto (gDGBD)");
    EXPECT_EQ(spanish.localizedString("TuningFreeTitle", "", "Localizable"), "Sol abierto (gDGBD)");
    // The placeholder survives translation, for the rating prompt to fill in.
    EXPECT_EQ(spanish.localizedString("Rate %@", "", "RatingPromptLocalizable"), "Valora %@");
    // A missing translation falls back to the value, then the key; tables do not mix.
    EXPECT_EQ(spanish.localizedString("NoSuchKey", "", ""), "NoSuchKey");
    EXPECT_EQ(spanish.localizedString("NoSuchKey", "fallback", ""), "fallback");
    EXPECT_EQ(spanish.localizedString("TuningFreeTitle", "", "RatingPromptLocalizable"),
              "TuningFreeTitle");
    // A language without translations gets English.
    EXPECT_EQ(
        QtBundle(QLocale(QLocale::Japanese), false).localizedString("TuningFreeTitle4", "", ""),
        "G Modal (gDGCD)");
}

TEST(QtImages, EveryProductImageResolvesOnceToADrawnPictureAndNoOtherNameDoes) {
    testing::qtTestApp();
    QtImages images;
    const auto names = headless::HeadlessImages::productImageNames();
    ASSERT_EQ(names.size(), 42u);
    for (const auto& name : names) {
        const ImageRef image = images.imageNamed(name);
        ASSERT_NE(image, nullptr) << name;
        EXPECT_EQ(image->name(), name);
        EXPECT_EQ(images.imageNamed(name), image);  // kept, not decoded again
        // A picture that is blank or stamp-sized would be a broken drawing, not a design.
        const QSize size = dynamic_cast<const QtImage&>(*image).pixmap().size();
        EXPECT_GE(size.width(), 64) << name;
        EXPECT_GE(size.height(), 64) << name;
    }
    for (const char* name : {"6th_string.png", "green64", "", "../images/green64.png"}) {
        EXPECT_EQ(images.imageNamed(name), nullptr) << name;
    }
}

TEST(QtViews, WritesToAViewWhoseWidgetIsGoneDoNothing) {
    testing::qtTestApp();
    auto* label = new QLabel;
    QtLabel adapter(label);
    adapter.setText("<b>293.6Hz</b>");
    EXPECT_EQ(label->text(), QStringLiteral("<b>293.6Hz</b>"));
    EXPECT_EQ(label->textFormat(), Qt::PlainText);  // shown as written, never as markup
    delete label;
    adapter.setText("gone");  // must not touch freed memory
}

// Listed sizes take the device's width and others their idiom's proportions; the default is the
// tallest phone that fits with its title bar.
TEST(ScreenProfile, ListedSizesTakeTheDevicesWidthAndTheDefaultIsTheTallestPhoneThatFits) {
    EXPECT_EQ(screenProfile(1, 1133).width, 744);
    EXPECT_EQ(screenProfile(1, 1000).width, 750);
    EXPECT_EQ(screenProfile(0, 800).width, 450);
    EXPECT_EQ(screenProfile(0, 667.5).text(), "phone:667.5");
    EXPECT_EQ(screenProfile(2, 1080).text(), "2:1080");
    EXPECT_EQ(defaultPhoneProfile(1024).height, 956.0);
    EXPECT_EQ(defaultPhoneProfile(900).height, 852.0);
    EXPECT_EQ(defaultPhoneProfile(300).height, 480.0);  // nothing fits: the smallest phone
}

TEST(ScreenProfile, TheDesktopRunsTheSameCurrentSystemAsHeadless) {
    const QtDevice device(screenProfile(0, 667));
    EXPECT_EQ(device.systemVersion(), headless::HeadlessDevice().systemVersion());
    // The fork header shows from 6 on, and the current store route is taken from 8 on.
    EXPECT_GE(screen::leadingVersionNumber(device.systemVersion()), 8.0f);
}

// Performs run by due time, then in the order they were scheduled; a repeating timer fires until
// its handle is dropped, even from its own handler; work posted from another thread runs on the
// main thread, in order.
TEST(QtRunLoop, RunsByDueTimeStopsTimersWithTheirHandlesAndRunsPostedWorkOnTheMainThread) {
    testing::qtTestApp();
    QtRunLoop loop;
    std::vector<std::string> ran;
    loop.performAfterDelay("late", 0.060, [&] { ran.push_back("late"); });
    loop.performAfterDelay("first", 0.020, [&] { ran.push_back("first"); });
    loop.performAfterDelay("second", 0.020, [&] { ran.push_back("second"); });
    loop.performAfterDelay("now", 0.0, [&] {
        // Scheduled by a handler, it runs after it, not inside it.
        loop.performAfterDelay("inner", 0.0, [&] { ran.push_back("inner"); });
        ran.push_back("now");
    });
    ASSERT_TRUE(processEventsUntil([&] { return ran.size() == 5; }, 2000));
    EXPECT_EQ(ran, (std::vector<std::string>{"now", "inner", "first", "second", "late"}));
    EXPECT_EQ(loop.pendingCount(), 0u);

    int fired = 0;
    auto timer = loop.scheduleRepeatingTimer(0.010, [&] { ++fired; });
    ASSERT_TRUE(processEventsUntil([&] { return fired >= 3; }, 2000));
    timer.reset();
    const int atStop = fired;
    int selfStopped = 0;
    timer = loop.scheduleRepeatingTimer(0.005, [&] {
        ++selfStopped;
        timer.reset();
    });
    processEventsUntil([] { return false; }, 80);
    EXPECT_EQ(fired, atStop);
    EXPECT_EQ(selfStopped, 1);
    EXPECT_EQ(loop.pendingCount(), 0u);
    // A handle may outlive its loop: dropping it must not touch the destroyed loop.
    {
        QtRunLoop shortLived;
        timer = shortLived.scheduleRepeatingTimer(1.0, [] {});
    }
    timer.reset();

    std::vector<int> posted;
    std::atomic<bool> allOnMain{true};
    QThread* const main = QThread::currentThread();
    std::thread poster([&] {
        for (int i = 0; i < 20; ++i) {
            loop.postToMain([&, i] {
                allOnMain = allOnMain && QThread::currentThread() == main;
                posted.push_back(i);
            });
        }
    });
    poster.join();
    ASSERT_TRUE(processEventsUntil([&] { return posted.size() == 20; }, 2000));
    EXPECT_TRUE(allOnMain);
    EXPECT_TRUE(std::ranges::equal(posted, std::views::iota(0, 20)));
}

TEST(QtDispatch, ASerialQueueRunsOneTaskAtATimeInPostingOrder) {
    testing::qtTestApp();
    QtDispatch dispatch;
    auto queue = dispatch.makeSerialQueue();
    std::vector<int> ran;  // unguarded on purpose: only one task may touch it at a time
    std::atomic<int> running{0};
    std::atomic<bool> overlapped{false};
    for (int i = 0; i < 200; ++i) {
        queue->async([&, i] {
            overlapped = overlapped || running.fetch_add(1) != 0;
            ran.push_back(i);
            running.fetch_sub(1);
        });
    }
    dispatch.waitForDone();
    EXPECT_FALSE(overlapped);
    EXPECT_TRUE(std::ranges::equal(ran, std::views::iota(0, 200)));
}

constexpr std::string_view kDomain = "com.strumwise.tuner";
const std::string kAwkward = "l\u00ednea\n2 ; # = [x] \\ \u20ac \x01";

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
    QtUserDefaults open(platform::Log* log = nullptr) const {
        return {std::string(kDomain), path(), log};
    }
    // The run count the file holds now, as a new window reads it.
    std::int64_t storedRuns() const { return open().integerForKey(settings::kNumberOfRunsKey); }

    testing::TestConfigHome home_;
};

// Absent keys read as nothing; written values, however awkward, come back with their types after
// a restart, whether or not the store was synchronized before it closed, and through a comment
// added by hand; the file lives in the XDG configuration directory.
TEST_F(QtUserDefaultsTest, EveryKindOfValueSurvivesARestartInTheXdgConfigurationDirectory) {
    EXPECT_EQ(path(), home_.path() + QStringLiteral("/strumwise/com.strumwise.tuner.ini"));
    {
        QtUserDefaults defaults = open();
        // Absent keys read as nothing: that is how the first run is recognised.
        EXPECT_FALSE(defaults.boolForKey(settings::kHasRunBeforeKey));
        EXPECT_EQ(defaults.integerForKey(settings::kNumberOfRunsKey), 0);
        EXPECT_EQ(defaults.stringForKey(settings::kCurrentVersionKey), std::nullopt);
        defaults.setBool(true, settings::kHasRunBeforeKey);
        defaults.setInteger(9'000'000'000, settings::kNumberOfRunsKey);
        // Qt's own writing of awkward values must read whole again.
        defaults.setString(kAwkward, settings::kCurrentVersionKey);
        defaults.setString("v", "key with space/and=equals");
        defaults.setDouble(1733475600.125, settings::kFirstUseDateKey);
        defaults.setInteger(-1, settings::kUseCountKey);
        ASSERT_TRUE(defaults.synchronize());
        defaults.setDouble(0.1, settings::kReminderRequestDateKey);
    }
    // And so must a comment written by hand.
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("; a comment\n\n");
    file.close();
    platform::headless::HeadlessLog log;
    const QtUserDefaults reread = open(&log);
    EXPECT_TRUE(log.lines().empty());
    EXPECT_TRUE(reread.boolForKey(settings::kHasRunBeforeKey));
    EXPECT_EQ(reread.integerForKey(settings::kNumberOfRunsKey), 9'000'000'000);
    EXPECT_EQ(reread.stringForKey(settings::kCurrentVersionKey), kAwkward);
    EXPECT_EQ(reread.doubleForKey(settings::kFirstUseDateKey), 1733475600.125);
    EXPECT_EQ(reread.integerForKey(settings::kUseCountKey), -1);
    EXPECT_EQ(reread.doubleForKey(settings::kReminderRequestDateKey), 0.1);
}

TEST_F(QtUserDefaultsTest, WritersOnSeveralThreadsLoseNoKey) {
    QtUserDefaults defaults = open();
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
    const QtUserDefaults reread = open();
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
        QtUserDefaults before = open();
        before.setInteger(11, runs);
        ASSERT_TRUE(before.synchronize());
    }
    platform::headless::HeadlessLog log;
    for (int round = 1; round <= 5; ++round) {
        QtUserDefaults first = open();
        QtUserDefaults second = open();
        std::latch start(2);
        auto countRun = [&](QtUserDefaults& window) {
            start.arrive_and_wait();
            rating::incrementStoredCount(window, runs, log);
            window.synchronize();
        };
        std::thread other(countRun, std::ref(second));
        countRun(first);
        other.join();
        EXPECT_EQ(storedRuns(), 11 + 2 * round);
    }

    QtUserDefaults first = open();
    QSettings(path(), QSettings::IniFormat).setValue(QStringLiteral("addedMeanwhile"), 1);
    first.setBool(true, settings::kDeclinedToRateKey);
    ASSERT_TRUE(first.synchronize());
    const QtUserDefaults reread = open();
    EXPECT_EQ(reread.integerForKey(runs), 21);
    EXPECT_TRUE(reread.boolForKey("addedMeanwhile"));
    EXPECT_TRUE(reread.boolForKey(settings::kDeclinedToRateKey));
    EXPECT_TRUE(log.lines().empty());
}

// A file with any problem of parsing is kept aside with one log line, and the application starts
// as on a first run; the first write replaces the file. QSettings itself flags only some of
// these: stray bytes before a good section mostly pass it by while hiding the section's keys.
TEST_F(QtUserDefaultsTest, AnyParseProblemKeepsTheFileAsCorruptAndTheStoreStartsAfresh) {
    const QByteArray good("[General]\nPlinmoor=true\nnumberOfRuns=7\n");
    const QByteArray corrupt[] = {
        "numberOfRuns=7\n[General\ngarbage\n",
        "junk" + good,                      // a stray line glued to the header
        "\xff\xfe" + good,                  // not UTF-8
        QByteArray("x=1\n\0\n", 6) + good,  // a NUL byte
    };
    makeFolder();
    for (const QByteArray& unreadable : corrupt) {
        SCOPED_TRACE(unreadable.toHex().toStdString());
        QFile::remove(path() + QStringLiteral(".corrupt"));
        writeFile(path(), unreadable);
        platform::headless::HeadlessLog log;
        {
            QtUserDefaults defaults = open(&log);
            EXPECT_FALSE(defaults.boolForKey(settings::kHasRunBeforeKey));
            EXPECT_EQ(defaults.integerForKey(settings::kNumberOfRunsKey), 0);
            defaults.setInteger(1, settings::kNumberOfRunsKey);
            ASSERT_TRUE(defaults.synchronize());
        }
        ASSERT_EQ(log.lines().size(), 1u);
        EXPECT_NE(log.lines()[0].find(name() + ".corrupt"), std::string::npos);
        EXPECT_EQ(contentsOf(path() + QStringLiteral(".corrupt")), unreadable);
        EXPECT_EQ(storedRuns(), 1);
    }
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
            QtUserDefaults defaults = open(&log);
            EXPECT_EQ(defaults.integerForKey(settings::kNumberOfRunsKey), c.followed ? 15 : 0);
            defaults.setInteger(6, settings::kNumberOfRunsKey);
            EXPECT_TRUE(defaults.synchronize());
        }
        EXPECT_EQ(QFileInfo(path()).isSymLink(), c.followed);
        EXPECT_EQ(storedRuns(), 6);
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.place.toStdString());
        const QByteArray place = QFile::encodeName(c.place);
        ASSERT_EQ(c.fifo ? ::mkfifo(place.constData(), 0600) : ::mkdir(place.constData(), 0700), 0);
        platform::headless::HeadlessLog log;
        // On its own thread, so that a store that waits fails the test instead of hanging it: a
        // writer is then opened on the FIFO, which lets the store go on.
        auto used = std::async(std::launch::async, [&] {
            QtUserDefaults defaults = open(&log);
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
            EXPECT_EQ(storedRuns(), 2);
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
