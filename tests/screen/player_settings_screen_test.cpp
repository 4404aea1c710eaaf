// The player's settings on the running screen: a change shows at once wherever the tuning is
// shown, a caption's lock action reads every note against its string, and "take it from a note"
// offers the reference the last tick heard.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "adapters/headless/headless_storyboard.h"
#include "app/settings_bridge.h"
#include "screen/controller_rig.h"
#include "view/action_names.h"

namespace strumwise::screen {
namespace {

using ::testing::HasSubstr;

class PlayerSettingsScreen : public ::testing::Test, protected ControllerRig {
  protected:
    PlayerSettingsScreen() { controller.viewDidLoad(); }
    void tickAt(float power, float hertz) {
        screen.microphone.set(power, hertz);
        controller.tickFree();
    }
    const platform::TuningMeterReading& meter() const {
        return screen.layout.tuningMeterState("tuningMeter")->reading();
    }
    // A request of the page that draws its own controls, as it sends it.
    std::string request(std::string_view name, std::string_view a = {}, std::string_view b = {},
                        std::string_view c = {}) {
        return app::runSettingsRequest(controller, screen.services.bundle, name, a, b, c);
    }
};

TEST_F(PlayerSettingsScreen, ACapoShowsInTheTitleTheNotesAndTheForksAtOnce) {
    std::vector<std::pair<int, int>> told;
    controller.setSettingsChangedHandler(
        [&](const tuner::PlayerSettings& before, const tuner::PlayerSettings& after) {
            told.emplace_back(before.capoFret, after.capoFret);
        });
    ASSERT_TRUE(controller.playerSettings().setCapoFret(2));
    ASSERT_TRUE(controller.playerSettings().setFifthStringFret(2));
    EXPECT_EQ(screen.text("currentTuningName"),
              screen.localized("TuningFreeTitle") + ", capo 2, 5th at 7");
    EXPECT_EQ(screen.text("thirdString"), "A3");
    EXPECT_EQ(screen.title("thirdFreqButton"), "A3");
    EXPECT_EQ(screen.text("fifthString"), "A4");
    EXPECT_EQ(screen.image("chartDisplay"), "chartipad_A4_E3_A3_C#4_E4.png");
    EXPECT_EQ(told, (std::vector<std::pair<int, int>>{{0, 2}, {2, 2}}));
}

// Touching string 3's caption locks it: a D4 is read against G3 and lights nothing; a touch on
// another caption moves the lock, a second touch on it unlocks, and the D4 is string 1 again. (What
// a locked string reads is the tuning setup's own rule.)
TEST_F(PlayerSettingsScreen, ACaptionLocksItsStringAndASecondTouchUnlocks) {
    const double d4 = 440.0 * std::pow(2.0, -7.0 / 12.0);
    ASSERT_TRUE(controller.sendAction(view::kLockStringActions[2]));
    EXPECT_EQ(controller.playerSettings().settings().lockedString, 3);
    tickAt(0.01f, static_cast<float>(d4));
    EXPECT_TRUE(meter().locked);
    EXPECT_EQ(meter().string, 3);
    EXPECT_EQ(screen.text("noteDisplay"), "");

    ASSERT_TRUE(controller.sendAction(view::kLockStringActions[1]));
    EXPECT_EQ(controller.playerSettings().settings().lockedString, 2);
    ASSERT_TRUE(controller.sendAction(view::kLockStringActions[1]));
    EXPECT_EQ(controller.playerSettings().settings().lockedString, 0);
    tickAt(0.01f, static_cast<float>(d4));
    EXPECT_FALSE(meter().locked);
    EXPECT_EQ(meter().string, 1);
    EXPECT_EQ(screen.text("noteDisplay"), "D4");
}

// A steady, loud note offers the reference that puts it exactly in tune; a quiet one is refused,
// and nothing changes until the player keeps it. (The references offered and refused are the
// reference rule's own table.)
TEST_F(PlayerSettingsScreen, TakingTheReferenceFromANoteAsksBeforeItKeeps) {
    tickAt(0.003f, 442.3f);
    EXPECT_EQ(controller.referenceFromHeardNote().refusal,
              tuner::ReferenceFromNote::Refusal::NoSteadyNote);
    EXPECT_THAT(request("takeReference"), HasSubstr("\"ok\":false"));

    // G3 at A4 = 442.3: the note heard is G3, so A4 follows it.
    tickAt(0.01f, static_cast<float>(442.3 * std::pow(2.0, -14.0 / 12.0)));
    EXPECT_EQ(request("takeReference"),
              "{\"ok\":true,\"tenths\":4423,\"message\":\"A4 = 442.3 Hz \u2014 keep?\"}");
    EXPECT_EQ(controller.playerSettings().settings().referenceTenths, 4400);
    EXPECT_EQ(request("keepReference", "4423"), "{\"ok\":true}");
    EXPECT_EQ(controller.playerSettings().settings().referenceTenths, 4423);
}

// The page that draws its own controls reads the settings as JSON and changes them by request;
// a refusal says why in the running language and changes nothing.
TEST_F(PlayerSettingsScreen, ThePagesRequestsChangeTheSettingsOrSayWhyNot) {
    EXPECT_EQ(request("capo", "3"), "{\"ok\":true}");
    EXPECT_EQ(request("capo", "8").substr(0, 11), "{\"ok\":false");
    EXPECT_EQ(request("fifth", "x").substr(0, 11), "{\"ok\":false");
    EXPECT_EQ(request("add", "Mine", "gDGBbD"), "{\"ok\":true}");
    EXPECT_THAT(request("add", "mine", "gDGBD"), HasSubstr("called \u201cmine\u201d"));
    EXPECT_THAT(request("add", "Other", "G4 D3 G3 H3 D4"), HasSubstr("H3"));
    EXPECT_EQ(request("add", "Quote \"me\"", "gCGCD"), "{\"ok\":true}");
    EXPECT_EQ(request("change", "Mine", "Yours", "aDADE"), "{\"ok\":true}");
    EXPECT_EQ(request("browse", "Open D", "1"), "{\"ok\":true}");
    EXPECT_EQ(request("lock", "5"), "{\"ok\":true}");

    const std::string json =
        app::settingsJson(controller.playerSettings().settings(), screen.services.bundle);
    EXPECT_THAT(json, HasSubstr("\"capo\":3"));
    EXPECT_THAT(json, HasSubstr("\"lock\":5"));
    EXPECT_THAT(json, HasSubstr("{\"name\":\"Quote \\\"me\\\"\",\"notes\":\"G4 C3 G3 C4 D4\""));
    EXPECT_THAT(json,
                HasSubstr("{\"name\":\"Yours\",\"notes\":\"A4 D3 A3 D4 E4\",\"browsed\":true}"));
    EXPECT_THAT(json,
                HasSubstr("{\"name\":\"Open D\",\"title\":\"Open D (f#DF#AD)\",\"notes\":\"F#4 D3 "
                          "F#3 A3 D4\",\"browsed\":true}"));
    EXPECT_EQ(request("remove", "Yours"), "{\"ok\":true}");
    EXPECT_EQ(controller.playerSettings().settings().customTunings.size(), 1u);
}

}  // namespace
}  // namespace strumwise::screen
