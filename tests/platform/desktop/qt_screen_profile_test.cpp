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

TEST(ScreenProfile, ReadsIdiomsByNameOrNumber) {
    const auto phone = parseScreenProfile("phone:667", nullptr);
    ASSERT_TRUE(phone);
    EXPECT_EQ(phone->idiom, 0);
    EXPECT_EQ(phone->height, 667.0);
    EXPECT_EQ(phone->width, 375);
    const auto pad = parseScreenProfile("pad:1133", nullptr);
    ASSERT_TRUE(pad);
    EXPECT_EQ(pad->idiom, 1);
    EXPECT_EQ(pad->width, 744);
    const auto tv = parseScreenProfile("2:1080", nullptr);
    ASSERT_TRUE(tv);
    EXPECT_EQ(tv->idiom, 2);
    EXPECT_EQ(tv->text(), "2:1080");
    // Heights between listed ones are kept exactly: they are what makes a screen unlisted.
    const auto between = parseScreenProfile("phone:667.5", nullptr);
    ASSERT_TRUE(between);
    EXPECT_EQ(between->height, 667.5);
    EXPECT_EQ(between->text(), "phone:667.5");
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
    EXPECT_EQ(defaultPhoneProfile(1040).height, 956.0);
    EXPECT_EQ(defaultPhoneProfile(900).height, 852.0);
    EXPECT_EQ(defaultPhoneProfile(768).height, 667.0);
    EXPECT_EQ(defaultPhoneProfile(300).height, 480.0);  // nothing fits: the smallest phone
    EXPECT_EQ(defaultPhoneProfile(1024).idiom, 0);
}

TEST(ScreenProfile, TheNoLayoutMessageNamesTheSizeAndEveryChoice) {
    const std::string message = noLayoutMessage(*parseScreenProfile("phone:800", nullptr));
    EXPECT_NE(message.find("phone:800"), std::string::npos);
    for (const auto& screen : listedScreens()) {
        const std::string value =
            (screen.idiom == 1 ? "pad:" : "phone:") + std::to_string(screen.height);
        EXPECT_NE(message.find(value), std::string::npos) << value;
    }
}

}  // namespace
}  // namespace strumwise::platform::desktop
