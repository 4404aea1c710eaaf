// The desktop application services: store addresses open as web pages.

#include <gtest/gtest.h>

#include "platform/desktop/qt_application.h"

namespace strumwise::platform::desktop {
namespace {

TEST(QtApplication, StoreAddressesOpenAsTheSameAddressOverHttps) {
    EXPECT_EQ(desktopAddressFor("itms-apps://apps.example.com/app/id123?action=write-review"),
              "https://apps.example.com/app/id123?action=write-review");
    EXPECT_EQ(desktopAddressFor("http://maker.example.com/"), "http://maker.example.com/");
    EXPECT_EQ(desktopAddressFor("itms-app://x"), "itms-app://x");
}

}  // namespace
}  // namespace strumwise::platform::desktop
