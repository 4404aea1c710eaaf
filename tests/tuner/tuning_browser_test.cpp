#include "tuner/tuning_browser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/headless_screen.h"
#include "tuner/custom_tunings.h"

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

// Any tuning the player browses is shown with its title, its sounding notes and a drawn chart,
// and the capo and spike are named after the title wherever it shows.
TEST_F(TuningBrowserTest, ShowsAnyTuningWithItsTitleCapoAndDrawnChart) {
    PlayerSettings settings = addCustomTuning({}, "Mine", "f#DGBD").settings;
    settings.browsedTunings = {"Open G", "Open D", "Mine"};
    settings.capoFret = 2;
    settings.fifthStringFret = 2;
    state.setup.apply(settings);
    EXPECT_EQ(chartOn(1, 1024, 1), "chartipad_A4_E3_A3_C#4_E4.png");
    EXPECT_EQ(screen.text("currentTuningName"), "Open G (gDGBD), capo 2, 5th at 7");
    EXPECT_EQ(screen.text("firstString"), "E4");
    EXPECT_EQ(screen.text("fifthString"), "A4");
    browser.showNextTuning();
    EXPECT_EQ(screen.text("currentTuningName"), "Open D (f#DF#AD), capo 2, 5th at 7");
    EXPECT_FALSE(screen.buttonHidden("showNextTuningButton"));
    browser.showNextTuning();
    EXPECT_EQ(screen.text("currentTuningName"), "Mine, capo 2, 5th at 7");
    EXPECT_TRUE(screen.buttonHidden("showNextTuningButton"));
    EXPECT_EQ(chartOn(0, 568, 3), "chartiphone_G#4_E3_A3_C#4_E4.png");

    // Without the capo and spike, the four keep their charts and titles; the others are drawn.
    settings.capoFret = 0;
    settings.fifthStringFret = 0;
    state.setup.apply(settings);
    EXPECT_EQ(chartOn(1, 1024, 1), "chartipad.png");
    EXPECT_EQ(screen.text("currentTuningName"), screen.localized("TuningFreeTitle"));
    EXPECT_EQ(chartOn(1, 1024, 2), "chartipad_F#4_D3_F#3_A3_D4.png");
    EXPECT_EQ(screen.text("currentTuningName"), "Open D (f#DF#AD)");
    EXPECT_NE(screen.services.images.imageNamed("chartipad_F#4_D3_F#3_A3_D4.png"), nullptr);
}

}  // namespace
}  // namespace strumwise::tuner
