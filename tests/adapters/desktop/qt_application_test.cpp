// The desktop application services: store addresses open as web pages, and an address that
// nothing opens is said so on the window and in the log.

#include <gtest/gtest.h>

#include <QLabel>
#include <QWidget>

#include "adapters/desktop/system/qt_application.h"
#include "adapters/headless/headless_log.h"
#include "qt_test_app.h"

namespace strumwise::platform::desktop {
namespace {

TEST(QtApplication, StoreAddressesOpenAsTheSameAddressOverHttps) {
    EXPECT_EQ(desktopAddressFor("itms-apps://apps.example.com/app/id123?action=write-review"),
              "https://apps.example.com/app/id123?action=write-review");
    EXPECT_EQ(desktopAddressFor("http://maker.example.com/"), "http://maker.example.com/");
    EXPECT_EQ(desktopAddressFor("itms-app://x"), "itms-app://x");
}

TEST(QtApplication, AnAddressNothingOpensIsNoticedOnTheWindowAndLoggedOnce) {
    if (testing::qtTestApp().platformName() != QStringLiteral("offscreen")) {
        GTEST_SKIP() << "only the offscreen platform is sure to have no URL opener";
    }
    QWidget window;
    window.resize(375, 667);
    window.show();
    headless::HeadlessLog log;
    QtApplication application(log);
    application.openURL("itms-apps://apps.example.com/app/id1");

    const auto* notice = window.findChild<QLabel*>(QStringLiteral("notice"));
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->text(), QStringLiteral("Could not open https://apps.example.com/app/id1"));
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the notice blocks nothing";
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_TRUE(log.lines()[0].starts_with("Could not open https://apps.example.com/app/id1"));
}

}  // namespace
}  // namespace strumwise::platform::desktop
