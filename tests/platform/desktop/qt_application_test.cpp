// The desktop application services: store addresses open as web pages, and the screen saver
// is inhibited where the session allows it and reported once where it does not.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/desktop/qt_application.h"
#include "qt_test_app.h"

namespace strumwise::platform::desktop {
namespace {

class CollectingLog final : public Log {
  public:
    void write(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

TEST(QtApplication, StoreAddressesOpenAsTheSameAddressOverHttps) {
    EXPECT_EQ(desktopAddressFor("itms-apps://apps.example.com/app/id123?action=write-review"),
              "https://apps.example.com/app/id123?action=write-review");
    EXPECT_EQ(desktopAddressFor("http://maker.example.com/"), "http://maker.example.com/");
    EXPECT_EQ(desktopAddressFor("itms-app://x"), "itms-app://x");
}

TEST(QtApplication, KeepingTheScreenLitWithoutASessionBusIsReportedOnce) {
    testing::qtTestApp();
    const QByteArray saved = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/strumwise-test-bus");
    CollectingLog log;
    {
        QtApplication application(log);
        application.setIdleTimerDisabled(true);
        application.setIdleTimerDisabled(false);
        application.setIdleTimerDisabled(true);
        application.setStatusBarHidden(true, 2);  // nothing to hide on a desktop
        if (!application.idleTimerDisabled()) {
            EXPECT_EQ(log.lines.size(), 1u);
        }
    }
    if (saved.isEmpty()) {
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    } else {
        qputenv("DBUS_SESSION_BUS_ADDRESS", saved);
    }
}

}  // namespace
}  // namespace strumwise::platform::desktop
