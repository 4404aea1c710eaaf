#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "screen/controller_rig.h"
#include "screen/system_version.h"

namespace strumwise::screen {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

class StartupTest : public ::testing::Test, protected ControllerRig {
  protected:
    std::string localized(std::string_view key) const {
        return screen.bundle.localizedString(key, "", "");
    }
};

TEST_F(StartupTest, ViewDidLoadRunsItsStepsInOrder) {
    controller.viewDidLoad();
    const std::string congrats =
        "aboutCongratsMessage text \"" + localized("TunerAboutCongratsMessage") + "\"";
    const std::string about2 = "aboutMsg2 text \"" + localized("TunerAboutMsg2") + "\"";
    const std::string title = "currentTuningName text \"" + localized("TuningFreeTitle") + "\"";
    // A 667-point phone draws the phone chart and then, having room, the tablet chart.
    EXPECT_THAT(
        screen.journal.take(),
        ElementsAre(
            "idleTimerDisabled 1", "session setCategory AVAudioSessionCategoryPlayAndRecord 8",
            "session setMode AVAudioSessionModeMeasurement", "session setActive 1",
            "microphone listen", congrats, about2, "firstString text \"D4\"",
            "secondString text \"B3\"", "thirdString text \"G3\"", "fourthString text \"D3\"",
            "fifthString text \"G4\"", "chartDisplay image \"chartiphone.png\"", title,
            "showPreviousTuningButton hidden 1", "showNextTuningButton hidden 0",
            "chartDisplay image \"chartipad.png\"", title, "showPreviousTuningButton hidden 1",
            "showNextTuningButton hidden 0", "firstFreqButton title \"D4\"",
            "secondFreqButton title \"B3\"", "thirdFreqButton title \"G3\"",
            "fourthFreqButton title \"D3\"", "fifthFreqButton title \"G4\"",
            "log \"Demo mode OFF, Sound detection started...\""));
}

TEST_F(StartupTest, TickFiresEveryTenthOfASecondAfterLoading) {
    controller.viewDidLoad();
    screen.journal.take();
    screen.advance(0.099999);
    EXPECT_THAT(screen.journal.take(), IsEmpty());
    screen.advance(0.000001);
    EXPECT_EQ(screen.journal.takeTimed().front(), "0.100 microphone averagePower");
    screen.advance(0.1);
    EXPECT_EQ(screen.journal.takeTimed().front(), "0.200 microphone averagePower");
    screen.advance(1.0);
    EXPECT_EQ(screen.journal.take().size(), 10u * 9u);  // ten silent ticks: 2 reads, 7 writes
}

TEST_F(StartupTest, MissingAudioSessionIsLoggedAndStartupGoesOn) {
    screen.services.audioSession = nullptr;
    controller.viewDidLoad();
    const auto lines = screen.journal.take();
    EXPECT_EQ(lines[1], "log \"Error creating session: (null)\"");
    EXPECT_EQ(lines[2], "microphone listen");
    EXPECT_THAT(lines, Not(Contains(::testing::StartsWith("session "))));
    screen.advance(0.1);
    EXPECT_EQ(screen.text("freq_label"), "");
    EXPECT_EQ(screen.image("LEDDisplay"), "yellow64.png");
}

TEST_F(StartupTest, TuningForkButtonNeedsSystemSix) {
    for (const auto& [version, hidden] : std::vector<std::pair<std::string, bool>>{
             {"5.1.1", true}, {"6.0", false}, {"17.2", false}, {"", true}, {"beta", true}}) {
        ControllerRig rig;
        rig.screen.device.setSystemVersion(version);
        rig.controller.viewDidLoad();
        const auto lines = rig.screen.journal.take();
        EXPECT_EQ(lines.back() == "tuningForkButton hidden 1", hidden) << version;
    }
    EXPECT_FLOAT_EQ(leadingVersionNumber("5.1.1"), 5.1f);
    EXPECT_FLOAT_EQ(leadingVersionNumber(" 6.1 (build 2)"), 6.1f);
    EXPECT_FLOAT_EQ(leadingVersionNumber("17"), 17.0f);
    EXPECT_FLOAT_EQ(leadingVersionNumber("-7.5"), -7.5f);
    EXPECT_FLOAT_EQ(leadingVersionNumber("iOS 17"), 0.0f);
    EXPECT_FLOAT_EQ(leadingVersionNumber("."), 0.0f);
}

TEST_F(StartupTest, ViewWillAppearSetsUpTheToneAndCountsTheRun) {
    screen.defaults.setInteger(4, "kRatingPromptUseCount");
    controller.setCurTone(3);
    controller.viewWillAppear(false);
    EXPECT_EQ(controller.curTone(), 1u);
    EXPECT_EQ(controller.curPlayState(), 1);
    EXPECT_THAT(screen.journal.take(),
                ElementsAre(::testing::StartsWith("log \"Me abriste por primera vez"),
                            "defaults reset", "defaults set numberOfRuns 1", "defaults sync",
                            "defaults set Plinmoor 1", "defaults sync"));
    EXPECT_EQ(screen.defaults.integerForKey("numberOfRuns"), 1);
    EXPECT_TRUE(screen.defaults.boolForKey("Plinmoor"));
    EXPECT_EQ(screen.defaults.integerForKey("kRatingPromptUseCount"), 0);

    // The tone unit is ready to play.
    controller.sendAction("playG196Hz:");
    EXPECT_THAT(screen.journal.take(), Contains("tone start"));
}

TEST_F(StartupTest, SecondAppearanceSilencesTheToneAndCountsAgain) {
    controller.viewDidLoad();
    controller.viewWillAppear(false);
    controller.sendAction("playG392Hz:");
    controller.setCurTone(2);
    ASSERT_EQ(controller.curPlayState(), 0);
    screen.journal.take();

    controller.viewWillAppear(true);
    EXPECT_EQ(controller.curTone(), 1u);
    EXPECT_EQ(controller.curPlayState(), 1);
    // The one unit is kept and silenced, never left playing out of reach.
    EXPECT_THAT(screen.journal.take(), ElementsAre("tone stop", "log \"Ya se abrió antes\"",
                                                   "defaults set numberOfRuns 2", "defaults sync"));
    EXPECT_EQ(screen.defaults.integerForKey("numberOfRuns"), 2);

    // Silent now, so stopping has nothing to stop.
    controller.sendAction("stopFreqPlay:");
    EXPECT_THAT(screen.journal.take(), IsEmpty());
}

}  // namespace
}  // namespace strumwise::screen
