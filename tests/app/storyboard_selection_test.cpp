#include "app/storyboard_selection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/screen_class.h"

namespace strumwise::app {
namespace {

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

class LinesLog : public platform::Log {
  public:
    void write(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

struct Selection {
    std::vector<std::string> installed;
    std::vector<std::string> logLines;
};

Selection select(std::optional<long> idiom, double height) {
    FixedDevice device(idiom, height);
    LinesLog log;
    Selection selection;
    initializeStoryBoardBasedOnScreenSize(
        device, log, [&](std::string_view name) { selection.installed.emplace_back(name); });
    selection.logLines = log.lines;
    return selection;
}

// The launch's chain of tests and the screen-class table are written independently; every
// listed height must reach the same layout through both.
TEST(StoryboardSelection, EveryListedHeightInstallsTheLayoutOfItsScreenClass) {
    const std::vector<double> phoneHeights{480, 568, 667, 736, 812, 844,
                                           852, 874, 896, 926, 932, 956};
    const std::vector<double> padHeights{1024, 1080, 1112, 1133, 1180, 1194, 1210, 1366, 1376};
    for (const double h : phoneHeights) {
        const Selection s = select(platform::Device::kIdiomPhone, h);
        ASSERT_EQ(s.installed.size(), 1u) << h;
        EXPECT_EQ(s.installed[0], storyboardName(screenClassFor(0, h))) << h;
    }
    for (const double h : padHeights) {
        const Selection s = select(platform::Device::kIdiomPad, h);
        ASSERT_EQ(s.installed.size(), 1u) << h;
        EXPECT_EQ(s.installed[0], storyboardName(screenClassFor(1, h))) << h;
    }
}

// Phones log their height five times and tablets once, listed or not; other idioms are neither
// tested nor logged, 1024 is a tablet height only, and a device without an idiom is a phone.
TEST(StoryboardSelection, EachIdiomLogsItsHeightsAndInstallsOnlyListedOnes) {
    using Names = std::vector<std::string>;
    struct Case {
        std::optional<long> idiom;
        double height;
        Names installed;
        std::size_t logLines;
    };
    const long phone = platform::Device::kIdiomPhone, pad = platform::Device::kIdiomPad;
    const Case cases[] = {{phone, 480, {"Main_iPhone4s"}, 5},
                          {pad, 1133, {"Main_iPad_Mini6"}, 1},
                          {phone, 800, {}, 5},
                          {pad, 768, {}, 1},
                          {phone, 1024, {}, 5},
                          {5, 667, {}, 0},
                          {std::nullopt, 568, {"Main_iPhone"}, 5}};
    for (const Case& c : cases) {
        const Selection s = select(c.idiom, c.height);
        EXPECT_EQ(s.installed, c.installed) << c.height;
        EXPECT_EQ(s.logLines.size(), c.logLines) << c.height;
    }
    EXPECT_EQ(select(phone, 480).logLines.front(), "iPhone has a height of: 480.000000");
    EXPECT_EQ(select(pad, 1133).logLines, Names{"iPad has a height of: 1133.000000"});
}

}  // namespace
}  // namespace strumwise::app
