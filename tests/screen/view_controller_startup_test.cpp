#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "screen/controller_rig.h"

namespace strumwise::screen {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

class StartupTest : public ::testing::Test, protected ControllerRig {};

TEST_F(StartupTest, ViewDidLoadRunsItsStepsInOrderThenTicksEveryTenthOfASecond) {
    controller.viewDidLoad();
    const auto text = [&](const char* outlet, const char* key) {
        return std::string(outlet) + " text \"" + screen.localized(key) + "\"";
    };
    const auto title = text("currentTuningName", "TuningFreeTitle");
    // A 667-point phone draws the phone chart and then, having room, the tablet chart.
    EXPECT_THAT(
        screen.take(),
        ElementsAre(
            "idleTimerDisabled 1", "session setCategory AVAudioSessionCategoryPlayAndRecord 8",
            "session setMode AVAudioSessionModeMeasurement", "session setActive 1",
            "microphone listen", text("aboutCongratsMessage", "TunerAboutCongratsMessage"),
            text("aboutMsg2", "TunerAboutMsg2"), "firstString text \"D4\"",
            "secondString text \"B3\"", "thirdString text \"G3\"", "fourthString text \"D3\"",
            "fifthString text \"G4\"", "chartDisplay image \"chartiphone.png\"", title,
            "showPreviousTuningButton hidden 1", "showNextTuningButton hidden 0",
            "chartDisplay image \"chartipad.png\"", title, "showPreviousTuningButton hidden 1",
            "showNextTuningButton hidden 0", "firstFreqButton title \"D4\"",
            "secondFreqButton title \"B3\"", "thirdFreqButton title \"G3\"",
            "fourthFreqButton title \"D3\"", "fifthFreqButton title \"G4\"",
            "log \"Demo mode OFF, Sound detection started...\""));

    screen.advance(0.099999);
    EXPECT_THAT(screen.take(), IsEmpty());
    screen.advance(0.000001);
    EXPECT_EQ(screen.take().front(), "microphone averagePower");
    screen.advance(1.0);
    EXPECT_EQ(screen.take().size(), 10u * 9u);  // ten silent ticks of 2 reads and 7 writes
}

TEST_F(StartupTest, MissingAudioSessionIsLoggedAndStartupGoesOn) {
    screen.services.audioSession = nullptr;
    controller.viewDidLoad();
    const auto lines = screen.take();
    EXPECT_THAT(std::vector(lines.begin(), lines.begin() + 3),
                ElementsAre("idleTimerDisabled 1", "log \"Error creating session: (null)\"",
                            "microphone listen"));
    screen.advance(0.1);
    EXPECT_EQ(screen.image("LEDDisplay"), "yellow64.png");
}

TEST_F(StartupTest, TuningForkButtonNeedsSystemSix) {
    for (const auto& [version, hidden] :
         std::vector<std::pair<std::string, bool>>{{"5.1.1", true},
                                                   {"6.0", false},
                                                   {"17.2", false},
                                                   {" 6.1 beta", false},
                                                   {"", true},
                                                   {"iOS 17", true}}) {
        ControllerRig rig;
        rig.screen.device.setSystemVersion(version);
        rig.controller.viewDidLoad();
        EXPECT_EQ(rig.screen.take().back() == "tuningForkButton hidden 1", hidden) << version;
    }
}

TEST_F(StartupTest, AppearancesSetUpTheToneAndCountRuns) {
    screen.defaults.setInteger(4, "kRatingPromptUseCount");
    controller.setCurTone(3);
    controller.viewWillAppear(false);
    EXPECT_EQ(controller.curTone(), 1u);
    EXPECT_EQ(controller.curPlayState(), 1);
    EXPECT_THAT(screen.take(),
                ElementsAre(StartsWith("log \"Me abriste por primera vez, voy a borrar"),
                            "defaults reset", "defaults set numberOfRuns 1", "defaults sync",
                            "defaults set Plinmoor 1", "defaults sync"));
    EXPECT_EQ(screen.defaults.integerForKey("kRatingPromptUseCount"), 0);

    controller.sendAction("playG392Hz:");
    controller.setCurTone(2);
    EXPECT_THAT(screen.take(), Contains("tone start"));

    // A second appearance in the same process keeps the one tone unit, silenced.
    controller.viewWillAppear(true);
    EXPECT_EQ(controller.curTone(), 1u);
    EXPECT_EQ(controller.curPlayState(), 1);
    EXPECT_THAT(screen.take(), ElementsAre("tone stop", "log \"Ya se abrió antes\"",
                                           "defaults set numberOfRuns 2", "defaults sync"));
    controller.sendAction("stopFreqPlay:");
    EXPECT_THAT(screen.take(), IsEmpty());
}

TEST_F(StartupTest, RunBeforeWithoutACountCountsFromZero) {
    screen.defaults.setBool(true, "Plinmoor");
    controller.viewWillAppear(false);
    EXPECT_EQ(screen.defaults.integerForKey("numberOfRuns"), 1);
}

}  // namespace
}  // namespace strumwise::screen
