#include "app/screen_class.h"

#include <gtest/gtest.h>

namespace strumwise::app {
namespace {

constexpr long kPhone = 0;
constexpr long kPad = 1;

// Every listed height, so that a mistyped height or layout name shows up.
TEST(ScreenClass, EveryListedHeightHasItsLayout) {
    const std::vector<std::tuple<long, double, const char*>> listed{
        {kPhone, 480, "Main_iPhone4s"},
        {kPhone, 568, "Main_iPhone"},
        {kPhone, 667, "Main_iPhone6"},
        {kPhone, 736, "Main_iPhone6Plus"},
        {kPhone, 812, "Main_iPhoneX"},
        {kPhone, 844, "Main_iPhone12Pro"},
        {kPhone, 852, "Main_iPhone12Pro"},
        {kPhone, 874, "Main_iPhone12Pro"},
        {kPhone, 896, "Main_iPhoneXSMax"},
        {kPhone, 926, "Main_iPhone12ProMax"},
        {kPhone, 932, "Main_iPhone12ProMax"},
        {kPhone, 956, "Main_iPhone12ProMax"},
        {kPad, 1024, "Main_iPad"},
        {kPad, 1080, "Main_iPad_Pro_10_5"},
        {kPad, 1112, "Main_iPad_Pro_10_5"},
        {kPad, 1133, "Main_iPad_Mini6"},
        {kPad, 1180, "Main_iPad_Pro_10_5"},
        {kPad, 1194, "Main_iPad_Pro_11"},
        {kPad, 1210, "Main_iPad_Pro_11"},
        {kPad, 1366, "Main_iPad_Pro"},
        {kPad, 1376, "Main_iPad_Pro"}};
    for (const auto& [idiom, height, layout] : listed) {
        EXPECT_EQ(storyboardName(screenClassFor(idiom, height)), layout) << height;
        EXPECT_EQ(screenClassFor(2, height), ScreenClass::unlisted) << height;
    }
    EXPECT_EQ(screenClassFor(kPhone, 852), ScreenClass::iPhone12Pro);
    EXPECT_EQ(screenClassFor(kPad, 1133), ScreenClass::iPad_Mini6);
}

TEST(ScreenClass, ExactHeightsOfTheRightIdiomOnly) {
    for (const auto& [idiom, height] : std::vector<std::pair<long, double>>{{kPhone, 667.0001},
                                                                            {kPhone, 800},
                                                                            {kPhone, 1024},
                                                                            {kPad, 768},
                                                                            {kPad, 667},
                                                                            {kPhone, 0.0},
                                                                            {kPad, 0.0}}) {
        EXPECT_EQ(screenClassFor(idiom, height), ScreenClass::unlisted) << height;
    }
    EXPECT_EQ(storyboardName(ScreenClass::unlisted), "");
    // A device that reports no idiom is a phone.
    EXPECT_EQ(screenClassFor(std::nullopt, 568), ScreenClass::iPhone);
}

}  // namespace
}  // namespace strumwise::app
