// The desktop application services: store addresses open as web pages, and an address that
// nothing opens is said so on the window and in the log.

#include <gtest/gtest.h>

#include <QLabel>
#include <QWidget>

#include "adapters/desktop/system/qt_application.h"
#include "adapters/headless/headless_log.h"
#include "qt_test_app.h"
#include "rating/review_url.h"
#include "rating/store_links.h"
#include "view/action_names.h"

namespace strumwise::platform::desktop {
namespace {

// Every review address the rating prompt and the review link give, for any system, opens the
// store's web page for writing a review: the older ones, over https, would send the browser back
// to a scheme nothing on the desktop opens.
TEST(QtApplication, StoreAddressesOpenAsTheStoresWebPages) {
    const std::string reviewPage = "https://apps.apple.com/app/id1163842075?action=write-review";
    for (const double system : {6.0, 7.0, 17.2}) {
        EXPECT_EQ(desktopAddressFor(rating::reviewUrl("1163842075", system)), reviewPage) << system;
    }
    EXPECT_EQ(desktopAddressFor(*rating::StoreLinks::urlForAction(view::kReviewAction)),
              reviewPage);
    EXPECT_EQ(desktopAddressFor("itms-apps://apps.example.com/"), "https://apps.example.com/");
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
    application.openURL("itms-apps://apps.example.com/charts");

    const auto* notice = window.findChild<QLabel*>(QStringLiteral("notice"));
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->text(), QStringLiteral("Could not open https://apps.example.com/charts"));
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the notice blocks nothing";
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_TRUE(log.lines()[0].starts_with("Could not open https://apps.example.com/charts"));
}

}  // namespace
}  // namespace strumwise::platform::desktop
