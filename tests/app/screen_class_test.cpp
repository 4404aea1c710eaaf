// The screen-class table and the launch's chain of layout tests are written independently; every
// height must reach the same layout through both, and the chain logs as the launch always did.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/storyboard_selection.h"
#include "view/screen_class.h"

namespace strumwise::app {
namespace {

using view::ScreenClass;
using view::screenClassFor;
using view::storyboardName;

class FixedDevice : public platform::Device {
  public:
    FixedDevice(std::optional<long> idiom, double height) : idiom_(idiom), height_(height) {}
    std::optional<long> userInterfaceIdiom() const override { return idiom_; }
    std::string systemVersion() const override { return "17.2"; }
    double mainScreenHeight() const override { return height_; }

  private:
    std::optional<long> idiom_;
    double height_;
};

struct LinesLog : platform::Log {
    void write(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

constexpr long kPhone = platform::Device::kIdiomPhone;
constexpr long kPad = platform::Device::kIdiomPad;

// Every listed height, so that a mistyped height or layout name shows up, and unlisted ones:
// heights are exact, of the right idiom only, and a device without an idiom is a phone. Phones
// log their height five times and tablets once, listed or not; other idioms log nothing.
TEST(ScreenClass, EveryHeightReachesTheSameLayoutThroughTheTableAndTheLaunchChain) {
    struct Case {
        std::optional<long> idiom;
        double height;
        std::string layout;  // empty: unlisted
    };
    const Case cases[] = {{kPhone, 480, "Main_iPhone4s"},
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
                          {kPad, 1376, "Main_iPad_Pro"},
                          {std::nullopt, 568, "Main_iPhone"},
                          {kPhone, 667.0001, ""},
                          {kPhone, 800, ""},
                          {kPhone, 1024, ""},
                          {kPhone, 0.0, ""},
                          {kPad, 768, ""},
                          {kPad, 667, ""},
                          {2, 667, ""},
                          {5, 1024, ""}};
    for (const Case& c : cases) {
        EXPECT_EQ(storyboardName(screenClassFor(c.idiom, c.height)), c.layout) << c.height;
        FixedDevice device(c.idiom, c.height);
        LinesLog log;
        std::vector<std::string> installed;
        initializeStoryBoardBasedOnScreenSize(
            device, log, [&](std::string_view name) { installed.emplace_back(name); });
        EXPECT_EQ(installed, c.layout.empty() ? std::vector<std::string>{}
                                              : std::vector<std::string>{c.layout})
            << c.height;
        const bool isPhone = c.idiom.value_or(kPhone) == kPhone;
        EXPECT_EQ(log.lines.size(), isPhone ? 5u : c.idiom == kPad ? 1u : 0u) << c.height;
    }
    EXPECT_EQ(screenClassFor(kPhone, 852), ScreenClass::iPhone12Pro);
    EXPECT_EQ(screenClassFor(kPad, 1133), ScreenClass::iPad_Mini6);
    LinesLog log;
    initializeStoryBoardBasedOnScreenSize(FixedDevice(kPad, 1133), log, [](std::string_view) {});
    EXPECT_EQ(log.lines, std::vector<std::string>{"iPad has a height of: 1133.000000"});
    log.lines.clear();
    initializeStoryBoardBasedOnScreenSize(FixedDevice(kPhone, 480), log, [](std::string_view) {});
    EXPECT_EQ(log.lines.front(), "iPhone has a height of: 480.000000");
}

}  // namespace
}  // namespace strumwise::app
