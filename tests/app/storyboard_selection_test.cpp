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

TEST(StoryboardSelection, PhonesLogTheirHeightFiveTimesAndTabletsOnce) {
    const Selection phone = select(platform::Device::kIdiomPhone, 480);
    EXPECT_EQ(phone.installed, std::vector<std::string>{"Main_iPhone4s"});
    EXPECT_EQ(phone.logLines, std::vector<std::string>(5, "iPhone has a height of: 480.000000"));

    const Selection pad = select(platform::Device::kIdiomPad, 1133);
    EXPECT_EQ(pad.installed, std::vector<std::string>{"Main_iPad_Mini6"});
    EXPECT_EQ(pad.logLines, std::vector<std::string>{"iPad has a height of: 1133.000000"});
}

TEST(StoryboardSelection, UnlistedScreensInstallNothingButStillLog) {
    const Selection phone = select(platform::Device::kIdiomPhone, 800);
    EXPECT_TRUE(phone.installed.empty());
    EXPECT_EQ(phone.logLines.size(), 5u);

    const Selection pad = select(platform::Device::kIdiomPad, 768);
    EXPECT_TRUE(pad.installed.empty());
    EXPECT_EQ(pad.logLines.size(), 1u);

    // 1024 is a tablet height only; other idioms are neither tested nor logged.
    EXPECT_TRUE(select(platform::Device::kIdiomPhone, 1024).installed.empty());
    const Selection other = select(5, 667);
    EXPECT_TRUE(other.installed.empty());
    EXPECT_TRUE(other.logLines.empty());
}

TEST(StoryboardSelection, DeviceWithoutIdiomCountsAsPhone) {
    EXPECT_EQ(select(std::nullopt, 568).installed, std::vector<std::string>{"Main_iPhone"});
}

}  // namespace
}  // namespace strumwise::app
