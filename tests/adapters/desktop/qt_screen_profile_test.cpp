// The --screen profiles and the desktop's default: every listed size has its device's width,
// the default is the tallest phone that fits, and the device runs the current system.

#include <gtest/gtest.h>

#include "adapters/desktop/system/qt_device.h"
#include "adapters/desktop/system/screen_profile.h"
#include "adapters/desktop/views/qt_windows.h"
#include "adapters/headless/headless_device.h"
#include "screen/system_version.h"

namespace strumwise::platform::desktop {
namespace {

TEST(ScreenProfile, ListedSizesTakeTheDevicesWidthAndOthersTheirIdiomsProportions) {
    EXPECT_EQ(screenProfile(1, 1133).width, 744);
    EXPECT_EQ(screenProfile(1, 1000).width, 750);
    EXPECT_EQ(screenProfile(0, 800).width, 450);
    EXPECT_EQ(screenProfile(0, 667.5).text(), "phone:667.5");
    EXPECT_EQ(screenProfile(2, 1080).text(), "2:1080");
}

TEST(ScreenProfile, TheDesktopRunsTheSameCurrentSystemAsHeadless) {
    const QtDevice device(screenProfile(0, 667));
    EXPECT_EQ(device.systemVersion(), headless::HeadlessDevice().systemVersion());
    // The fork header shows from 6 on, and the current store route is taken from 8 on.
    EXPECT_GE(screen::leadingVersionNumber(device.systemVersion()), 8.0f);
}

TEST(ScreenProfile, TheDefaultIsTheTallestPhoneThatFitsWithItsTitleBar) {
    EXPECT_EQ(defaultPhoneProfile(1024).height, 956.0);
    EXPECT_EQ(defaultPhoneProfile(900).height, 852.0);
    EXPECT_EQ(defaultPhoneProfile(300).height, 480.0);  // nothing fits: the smallest phone
}

}  // namespace
}  // namespace strumwise::platform::desktop
