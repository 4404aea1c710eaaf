// The screen-class table and the launch's chain of layout tests are written independently; every
// height must reach the same layout through both, and the chain logs as the launch always did.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adapters/headless/headless_device.h"
#include "adapters/headless/headless_log.h"
#include "app/storyboard_selection.h"
#include "view/screen_class.h"

namespace strumwise::app {
namespace {

using view::ScreenClass;
using view::screenClassFor;
using view::storyboardName;

constexpr long kPhone = platform::Device::kIdiomPhone;
constexpr long kPad = platform::Device::kIdiomPad;

// Every listed height, so that a mistyped height or layout name shows up, and unlisted ones:
// heights are exact, of the right idiom only, and a device without an idiom is a phone. Phones
// log their height five times and tablets once, listed or not; other idioms log nothing.
TEST(ScreenClass, EveryHeightReachesTheSameLayoutThroughTheTableAndTheLaunchChain) {
    struct Case {
        std::optional<long> idiom;
        std::vector<double> heights;
        std::string layout;  // empty: unlisted
    };
    const Case cases[] = {
        {kPhone, {480}, "Main_iPhone4s"},
        {kPhone, {568}, "Main_iPhone"},
        {kPhone, {667}, "Main_iPhone6"},
        {kPhone, {736}, "Main_iPhone6Plus"},
        {kPhone, {812}, "Main_iPhoneX"},
        {kPhone, {844, 852, 874}, "Main_iPhone12Pro"},
        {kPhone, {896}, "Main_iPhoneXSMax"},
        {kPhone, {926, 932, 956}, "Main_iPhone12ProMax"},
        {kPad, {1024}, "Main_iPad"},
        {kPad, {1080, 1112, 1180}, "Main_iPad_Pro_10_5"},
        {kPad, {1133}, "Main_iPad_Mini6"},
        {kPad, {1194, 1210}, "Main_iPad_Pro_11"},
        {kPad, {1366, 1376}, "Main_iPad_Pro"},
        {std::nullopt, {568}, "Main_iPhone"},
        {kPhone, {667.0001, 800, 1024, 0.0}, ""},
        {kPad, {768, 667}, ""},
        {2, {667}, ""},
        {5, {1024}, ""},
    };
    for (const Case& c : cases) {
        for (const double height : c.heights) {
            EXPECT_EQ(storyboardName(screenClassFor(c.idiom, height)), c.layout) << height;
            platform::headless::HeadlessLog log;
            std::vector<std::string> installed;
            initializeStoryBoardBasedOnScreenSize(
                platform::headless::HeadlessDevice({c.idiom, height}), log,
                [&](std::string_view name) { installed.emplace_back(name); });
            EXPECT_EQ(installed, c.layout.empty() ? std::vector<std::string>{}
                                                  : std::vector<std::string>{c.layout})
                << height;
            const bool isPhone = c.idiom.value_or(kPhone) == kPhone;
            EXPECT_EQ(log.lines().size(), isPhone ? 5u : c.idiom == kPad ? 1u : 0u) << height;
        }
    }
    EXPECT_EQ(screenClassFor(kPhone, 852), ScreenClass::iPhone12Pro);
    EXPECT_EQ(screenClassFor(kPad, 1133), ScreenClass::iPad_Mini6);
    platform::headless::HeadlessLog pad, phone;
    const auto ignore = [](std::string_view) {};
    initializeStoryBoardBasedOnScreenSize(platform::headless::HeadlessDevice({kPad, 1133}), pad,
                                          ignore);
    EXPECT_EQ(pad.lines(), std::vector<std::string>{"iPad has a height of: 1133.000000"});
    initializeStoryBoardBasedOnScreenSize(platform::headless::HeadlessDevice({kPhone, 480}), phone,
                                          ignore);
    EXPECT_EQ(phone.lines().front(), "iPhone has a height of: 480.000000");
}

}  // namespace
}  // namespace strumwise::app
