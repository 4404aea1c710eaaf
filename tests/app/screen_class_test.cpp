#include "app/screen_class.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/device.h"

namespace strumwise::app {
namespace {

constexpr long kPhone = platform::Device::kIdiomPhone;
constexpr long kPad = platform::Device::kIdiomPad;

struct Listed {
    long idiom;
    double height;
    ScreenClass screenClass;
    const char* storyboard;
};

// Every listed height, so that a mistyped height or layout name shows up.
const std::vector<Listed> kListed{
    {kPhone, 480, ScreenClass::iPhone4s, "Main_iPhone4s"},
    {kPhone, 568, ScreenClass::iPhone, "Main_iPhone"},
    {kPhone, 667, ScreenClass::iPhone6, "Main_iPhone6"},
    {kPhone, 736, ScreenClass::iPhone6Plus, "Main_iPhone6Plus"},
    {kPhone, 812, ScreenClass::iPhoneX, "Main_iPhoneX"},
    {kPhone, 844, ScreenClass::iPhone12Pro, "Main_iPhone12Pro"},
    {kPhone, 852, ScreenClass::iPhone12Pro, "Main_iPhone12Pro"},
    {kPhone, 874, ScreenClass::iPhone12Pro, "Main_iPhone12Pro"},
    {kPhone, 896, ScreenClass::iPhoneXSMax, "Main_iPhoneXSMax"},
    {kPhone, 926, ScreenClass::iPhone12ProMax, "Main_iPhone12ProMax"},
    {kPhone, 932, ScreenClass::iPhone12ProMax, "Main_iPhone12ProMax"},
    {kPhone, 956, ScreenClass::iPhone12ProMax, "Main_iPhone12ProMax"},
    {kPad, 1024, ScreenClass::iPad, "Main_iPad"},
    {kPad, 1080, ScreenClass::iPad_Pro_10_5, "Main_iPad_Pro_10_5"},
    {kPad, 1112, ScreenClass::iPad_Pro_10_5, "Main_iPad_Pro_10_5"},
    {kPad, 1133, ScreenClass::iPad_Mini6, "Main_iPad_Mini6"},
    {kPad, 1180, ScreenClass::iPad_Pro_10_5, "Main_iPad_Pro_10_5"},
    {kPad, 1194, ScreenClass::iPad_Pro_11, "Main_iPad_Pro_11"},
    {kPad, 1210, ScreenClass::iPad_Pro_11, "Main_iPad_Pro_11"},
    {kPad, 1366, ScreenClass::iPad_Pro, "Main_iPad_Pro"},
    {kPad, 1376, ScreenClass::iPad_Pro, "Main_iPad_Pro"},
};

TEST(ScreenClass, EveryListedHeightHasItsClassAndLayout) {
    for (const auto& row : kListed) {
        SCOPED_TRACE(row.height);
        const ScreenClass screenClass = screenClassFor(row.idiom, row.height);
        EXPECT_EQ(screenClass, row.screenClass);
        EXPECT_EQ(storyboardName(screenClass), row.storyboard);
    }
}

TEST(ScreenClass, HeightsAreComparedExactly) {
    EXPECT_EQ(screenClassFor(kPhone, 667.0001), ScreenClass::unlisted);
    EXPECT_EQ(screenClassFor(kPhone, 666.9999), ScreenClass::unlisted);
    EXPECT_EQ(screenClassFor(kPhone, 800), ScreenClass::unlisted);
    EXPECT_EQ(screenClassFor(kPad, 1133.5), ScreenClass::unlisted);
    // A screen of zero height must not match the unused slots of the table.
    EXPECT_EQ(screenClassFor(kPhone, 0.0), ScreenClass::unlisted);
    EXPECT_EQ(screenClassFor(kPad, 0.0), ScreenClass::unlisted);
}

TEST(ScreenClass, HeightsBelongToTheirIdiomOnly) {
    EXPECT_EQ(screenClassFor(kPhone, 1024), ScreenClass::unlisted);
    EXPECT_EQ(screenClassFor(kPad, 768), ScreenClass::unlisted);
    EXPECT_EQ(screenClassFor(kPad, 667), ScreenClass::unlisted);
}

TEST(ScreenClass, OtherIdiomsAreUnlistedAtAnyHeight) {
    for (const auto& row : kListed) {
        EXPECT_EQ(screenClassFor(2, row.height), ScreenClass::unlisted);
        EXPECT_EQ(screenClassFor(-1, row.height), ScreenClass::unlisted);
    }
}

TEST(ScreenClass, DeviceWithoutIdiomCountsAsPhone) {
    EXPECT_EQ(screenClassFor(std::nullopt, 568), ScreenClass::iPhone);
    EXPECT_EQ(screenClassFor(std::nullopt, 1024), ScreenClass::unlisted);
}

TEST(ScreenClass, UnlistedHasNoLayout) {
    EXPECT_EQ(storyboardName(ScreenClass::unlisted), "");
    EXPECT_EQ(screenClassName(ScreenClass::unlisted), "unlisted");
    EXPECT_EQ(screenClassName(ScreenClass::iPad_Mini6), "iPad_Mini6");
}

}  // namespace
}  // namespace strumwise::app
