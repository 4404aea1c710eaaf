#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QString>
#include <QTemporaryDir>
#include <functional>

namespace strumwise::testing {

// The one QApplication of a desktop test process, on the offscreen platform unless the
// environment names another. Created on first use and kept for the process.
inline QApplication& qtTestApp() {
    static QApplication* app = [] {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static int argc = 1;
        static char name[] = "test_desktop";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return *app;
}

// A configuration folder of the test's own, where Qt and the user defaults look while it lives.
struct TestConfigHome : QTemporaryDir {
    TestConfigHome() {
        qtTestApp();
        EXPECT_TRUE(isValid()) << "no temporary configuration folder";
        qputenv("XDG_CONFIG_HOME", path().toUtf8());
    }
    ~TestConfigHome() { qunsetenv("XDG_CONFIG_HOME"); }
};

// Runs the event loop until `done` answers true or `timeoutMs` passes; answers `done()`.
inline bool processEventsUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
}

// Where the tests leave their screenshots: <build>/screenshots.
inline QString screenshotDir() {
    const QString dir = QStringLiteral(STRUMWISE_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    return dir;
}

}  // namespace strumwise::testing
