#include "tuner/tuning_browser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/headless_screen.h"

namespace strumwise::tuner {
namespace {

using platform::headless::ScreenProfile;
using ::testing::ElementsAre;

constexpr long kPhone = 0;
constexpr long kPad = 1;

class TuningBrowserTest : public ::testing::Test {
  protected:
    std::string chartOn(ScreenProfile profile, std::uint64_t tuning) {
        screen.device.setProfile(profile);
        state.tuningIndex = tuning;
        browser.displayTunings();
        return screen.image("chartDisplay").value_or("none");
    }
    std::string localized(std::string_view key) const {
        return screen.bundle.localizedString(key, "", "");
    }
    std::vector<std::string> notes() const {
        return {screen.text("firstString"), screen.text("secondString"), screen.text("thirdString"),
                screen.text("fourthString"), screen.text("fifthString")};
    }

    testing::HeadlessScreen screen;
    TunerState state;
    TuningBrowser browser{screen.outlets, state, screen.device, screen.services.images,
                          screen.bundle};
};

TEST_F(TuningBrowserTest, ArrowsHideAtTheEndsOfTheTunings) {
    browser.displayTunings();
    EXPECT_TRUE(screen.buttonHidden("showPreviousTuningButton"));
    EXPECT_FALSE(screen.buttonHidden("showNextTuningButton"));

    browser.showNextTuning();
    EXPECT_EQ(state.tuningIndex, 2u);
    EXPECT_FALSE(screen.buttonHidden("showPreviousTuningButton"));
    EXPECT_FALSE(screen.buttonHidden("showNextTuningButton"));

    browser.showNextTuning();
    browser.showNextTuning();
    EXPECT_EQ(state.tuningIndex, 4u);
    EXPECT_FALSE(screen.buttonHidden("showPreviousTuningButton"));
    EXPECT_TRUE(screen.buttonHidden("showNextTuningButton"));
}

TEST_F(TuningBrowserTest, ArrowActionsAtTheEndsKeepTheTuning) {
    // A hidden arrow's action can still arrive by name; the tuning must stay usable.
    browser.showPreviousTuning();
    EXPECT_EQ(state.tuningIndex, 1u);
    EXPECT_EQ(screen.text("currentTuningName"), localized("TuningFreeTitle"));
    state.tuningIndex = 4;
    browser.showNextTuning();
    EXPECT_EQ(state.tuningIndex, 4u);
    browser.showPreviousTuning();
    EXPECT_EQ(state.tuningIndex, 3u);
}

TEST_F(TuningBrowserTest, TallerPhonesAndTabletsShowTheTabletCharts) {
    EXPECT_EQ(chartOn({kPhone, 667}, 2), "chartipad2.png");
    EXPECT_EQ(chartOn({kPhone, 736}, 2), "chartipad2.png");
    EXPECT_EQ(chartOn({kPhone, 568}, 2), "chartiphone2.png");
    EXPECT_EQ(chartOn({kPad, 1024}, 2), "chartipad2.png");
    // Exact heights only; and the idiom alone decides on screens without a layout.
    EXPECT_EQ(chartOn({kPhone, 667.01}, 3), "chartiphone3.png");
    EXPECT_EQ(chartOn({kPhone, 735.99}, 3), "chartiphone3.png");
    EXPECT_EQ(chartOn({kPhone, 800}, 4), "chartiphone4.png");
    EXPECT_EQ(chartOn({kPad, 768}, 4), "chartipad4.png");
    EXPECT_EQ(chartOn({std::nullopt, 568}, 1), "chartiphone.png");
    EXPECT_EQ(chartOn({std::nullopt, 667}, 1), "chartipad.png");
}

TEST_F(TuningBrowserTest, TitlesComeFromTheirKeys) {
    const char* keys[] = {"TuningFreeTitle", "TuningFreeTitle2", "TuningFreeTitle3",
                          "TuningFreeTitle4"};
    for (std::uint64_t tuning = 1; tuning <= 4; ++tuning) {
        chartOn({kPhone, 568}, tuning);
        EXPECT_EQ(screen.text("currentTuningName"), localized(keys[tuning - 1]));
    }
    // The first title's key has no digit: a translation exists for it, not for "...Title1".
    EXPECT_NE(localized("TuningFreeTitle"), "TuningFreeTitle");
    EXPECT_EQ(localized("TuningFreeTitle1"), "TuningFreeTitle1");
}

TEST_F(TuningBrowserTest, NoteLabelsFollowTheTuning) {
    browser.displayTunings();
    EXPECT_THAT(notes(), ElementsAre("D4", "B3", "G3", "D3", "G4"));
    browser.showNextTuning();
    EXPECT_THAT(notes(), ElementsAre("E4", "D4", "A3", "D3", "A4"));
    browser.showNextTuning();
    EXPECT_THAT(notes(), ElementsAre("D4", "C4", "G3", "C3", "G4"));
    browser.showNextTuning();
    EXPECT_THAT(notes(), ElementsAre("D4", "C4", "G3", "D3", "G4"));
}

TEST_F(TuningBrowserTest, OnlyTheAboutTextsForAnUnknownTuningOrIdiom) {
    const auto aboutOnly =
        ElementsAre("aboutCongratsMessage text \"" + localized("TunerAboutCongratsMessage") + "\"",
                    "aboutMsg2 text \"" + localized("TunerAboutMsg2") + "\"");
    for (const std::uint64_t tuning : {std::uint64_t{0}, std::uint64_t{5}}) {
        screen.journal.take();
        chartOn({kPhone, 667}, tuning);
        EXPECT_THAT(screen.journal.take(), aboutOnly);
    }
    screen.journal.take();
    chartOn({2, 1024}, 1);
    EXPECT_THAT(screen.journal.take(), aboutOnly);
}

}  // namespace
}  // namespace strumwise::tuner
