// The --screen profiles and the desktop's default: every listed size has a layout, bad values
// are refused with a clear reason, and the default is the tallest phone that fits.

#include <gtest/gtest.h>

#include "app/screen_class.h"
#include "platform/desktop/qt_windows.h"
#include "platform/desktop/screen_profile.h"

namespace strumwise::platform::desktop {
namespace {

TEST(ScreenProfile, EveryListedScreenHasALayoutAndEveryLayoutAScreen) {
    std::vector<app::ScreenClass> seen;
    for (const auto& screen : listedScreens()) {
        const auto screenClass = app::screenClassFor(screen.idiom, screen.height);
        EXPECT_NE(screenClass, app::ScreenClass::unlisted) << screen.height;
        seen.push_back(screenClass);
    }
    for (int c = 0; c < static_cast<int>(app::ScreenClass::unlisted); ++c) {
        EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<app::ScreenClass>(c)),
                  seen.end());
    }
}

TEST(ScreenProfile, ReadsIdiomsByNameOrNumberAndKeepsHeightsExactly) {
    const auto pad = parseScreenProfile("pad:1133", nullptr);
    ASSERT_TRUE(pad);
    EXPECT_EQ(pad->idiom, 1);
    EXPECT_EQ(pad->width, 744);
    EXPECT_EQ(parseScreenProfile("2:1080", nullptr).value().idiom, 2);
    // Heights between listed ones are kept exactly: they are what makes a screen unlisted.
    EXPECT_EQ(parseScreenProfile("phone:667.5", nullptr).value().text(), "phone:667.5");
}

TEST(ScreenProfile, RefusesMalformedValuesWithAReason) {
    for (const char* bad : {"", "phone", "phone:", ":667", "watch:300", "phone:tall", "phone:-5",
                            "phone:0", "phone:667px", "phone:nan", "phone:inf"}) {
        std::string error;
        EXPECT_FALSE(parseScreenProfile(bad, &error)) << bad;
        EXPECT_NE(error.find("--screen"), std::string::npos) << bad;
    }
}

TEST(ScreenProfile, TheDefaultIsTheTallestPhoneThatFitsWithItsTitleBar) {
    EXPECT_EQ(defaultPhoneProfile(1024).height, 956.0);
    EXPECT_EQ(defaultPhoneProfile(900).height, 852.0);
    EXPECT_EQ(defaultPhoneProfile(300).height, 480.0);  // nothing fits: the smallest phone
}

}  // namespace
}  // namespace strumwise::platform::desktop
