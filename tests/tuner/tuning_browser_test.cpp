#include "tuner/tuning_browser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/headless_screen.h"

namespace strumwise::tuner {
namespace {

using ::testing::ElementsAre;

class TuningBrowserTest : public ::testing::Test {
  protected:
    std::string chartOn(std::optional<long> idiom, double height, std::uint64_t tuning) {
        screen.device.setProfile({idiom, height});
        state.tuningIndex = tuning;
        browser.displayTunings();
        return screen.image("chartDisplay").value_or("none");
    }

    // The screen's hook for the note labels, delegating as the controller does.
    struct Hooks final : view::ScreenHooks {
        TuningBrowser* browser = nullptr;
        void displayNotes() override { browser->displayNotes(); }
    };

    testing::HeadlessScreen screen;
    TunerState state;
    Hooks hooks;
    TuningBrowser browser{
        screen.outlets,        state, hooks, screen.device, screen.services.images,
        screen.services.bundle};
    void SetUp() override { hooks.browser = &browser; }
};

TEST_F(TuningBrowserTest, ArrowsStepThroughTheFourTuningsAndHideAtTheEnds) {
    browser.displayTunings();
    EXPECT_TRUE(screen.buttonHidden("showPreviousTuningButton"));
    EXPECT_EQ(screen.text("currentTuningName"), screen.localized("TuningFreeTitle"));
    // The first title's key carries no digit.
    EXPECT_NE(screen.localized("TuningFreeTitle"), "TuningFreeTitle");
    browser.showNextTuning();
    EXPECT_FALSE(screen.buttonHidden("showPreviousTuningButton"));
    EXPECT_FALSE(screen.buttonHidden("showNextTuningButton"));
    EXPECT_EQ(screen.text("currentTuningName"), screen.localized("TuningFreeTitle2"));
    browser.showNextTuning();
    browser.showNextTuning();
    EXPECT_TRUE(screen.buttonHidden("showNextTuningButton"));
    EXPECT_EQ(screen.text("fourthString"), "D3");

    // A hidden arrow's action can still arrive by name; the tuning stays within 1..4.
    browser.showNextTuning();
    EXPECT_EQ(state.tuningIndex, 4u);
    state.tuningIndex = 1;
    browser.showPreviousTuning();
    EXPECT_EQ(state.tuningIndex, 1u);
}

TEST_F(TuningBrowserTest, TallerPhonesAndTabletsShowTheTabletCharts) {
    EXPECT_EQ(chartOn(0, 667, 2), "chartipad2.png");
    EXPECT_EQ(chartOn(0, 736, 2), "chartipad2.png");
    EXPECT_EQ(chartOn(std::nullopt, 667, 1), "chartipad.png");
    EXPECT_EQ(chartOn(0, 568, 2), "chartiphone2.png");
    EXPECT_EQ(chartOn(0, 667.01, 3), "chartiphone3.png");
    EXPECT_EQ(chartOn(0, 800, 4), "chartiphone4.png");
    EXPECT_EQ(chartOn(1, 1024, 2), "chartipad2.png");
    EXPECT_EQ(chartOn(1, 768, 4), "chartipad4.png");
}

TEST_F(TuningBrowserTest, OnlyTheAboutTextsForAnUnknownTuningOrIdiom) {
    const auto aboutOnly = ElementsAre(
        "aboutCongratsMessage text \"" + screen.localized("TunerAboutCongratsMessage") + "\"",
        "aboutMsg2 text \"" + screen.localized("TunerAboutMsg2") + "\"");
    chartOn(0, 667, 0);
    EXPECT_THAT(screen.take(), aboutOnly);
    chartOn(0, 667, 5);
    EXPECT_THAT(screen.take(), aboutOnly);
    chartOn(2, 1024, 1);
    EXPECT_THAT(screen.take(), aboutOnly);
}

}  // namespace
}  // namespace strumwise::tuner
