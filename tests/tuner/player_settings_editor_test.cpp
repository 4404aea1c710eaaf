#include "tuner/player_settings_editor.h"

#include <gtest/gtest.h>

#include "adapters/headless/headless_bundle.h"
#include "adapters/headless/memory_user_defaults.h"
#include "base/settings_keys.h"
#include "tuner/settings_messages.h"
#include "tuner/tuning_names.h"

namespace strumwise::tuner {
namespace {

using platform::headless::MemoryUserDefaults;

struct Editing {
    TunerState state;
    MemoryUserDefaults defaults;
    PlayerSettingsEditor editor{state, defaults};
    std::vector<PlayerSettings> before;  // one per change told

    Editing() {
        editor.setChangedHandler([this](const PlayerSettings& was) { before.push_back(was); });
    }
    std::string shownName() const { return state.setup.tuning(state.tuningIndex)->name; }
};

// A change takes effect at once and is stored, only the key that changed; a value out of range,
// and a change to what already is, changes, stores and tells nothing.
TEST(PlayerSettingsEditor, ChangesTakeEffectAndOnlyWhatChangedIsStored) {
    Editing e;
    EXPECT_TRUE(e.editor.setCapoFret(2));
    EXPECT_EQ(e.state.setup.target(1, 3)->noteName, "A3");  // open G's G3, two frets up
    EXPECT_EQ(e.defaults.snapshot().size(), 1u);
    EXPECT_EQ(e.defaults.stringForKey(settings::kCapoFretKey), "2");
    ASSERT_EQ(e.before.size(), 1u);
    EXPECT_EQ(e.before[0].capoFret, 0);

    EXPECT_FALSE(e.editor.setCapoFret(8));
    EXPECT_FALSE(e.editor.setReference(4149));
    EXPECT_FALSE(e.editor.setReference(4661));
    EXPECT_FALSE(e.editor.setLockedString(6));
    EXPECT_TRUE(e.editor.setCapoFret(2));
    EXPECT_EQ(e.before.size(), 1u);
    EXPECT_EQ(e.defaults.snapshot().size(), 1u);

    EXPECT_TRUE(e.editor.setReference(4660));
    EXPECT_TRUE(e.editor.setFifthStringFret(2));
    EXPECT_EQ(e.defaults.stringForKey(settings::kReferencePitchKey), "466.0");
    EXPECT_EQ(e.defaults.stringForKey(settings::kFifthStringFretKey), "2");
    // The fifth string at its own second fret, where the neck's seventh fret lies: G4 up to A4.
    EXPECT_EQ(e.state.setup.target(1, 5)->noteName, "A4");
    EXPECT_EQ(neckFretOfFifthString(2), 7);
}

// One touch on a caption locks that string, a second touch on it unlocks, a touch on another
// moves the lock.
TEST(PlayerSettingsEditor, ACaptionTouchLocksAndUnlocksItsString) {
    Editing e;
    e.editor.toggleLockedString(3);
    EXPECT_EQ(e.editor.settings().lockedString, 3);
    EXPECT_EQ(e.defaults.stringForKey(settings::kLockedStringKey), "3");
    e.editor.toggleLockedString(2);
    EXPECT_EQ(e.editor.settings().lockedString, 2);
    e.editor.toggleLockedString(2);
    EXPECT_EQ(e.editor.settings().lockedString, 0);
    e.editor.toggleLockedString(0);
    e.editor.toggleLockedString(6);
    EXPECT_EQ(e.before.size(), 3u);
}

// The browser keeps showing the tuning it showed while tunings come and go around it, follows
// it through a rename, and always keeps one tuning to show.
TEST(PlayerSettingsEditor, TheBrowserKeepsItsTuningAndOneToShow) {
    Editing e;
    e.state.tuningIndex = 3;  // double C
    ASSERT_EQ(e.shownName(), "Double C");
    EXPECT_TRUE(e.editor.setBrowsed("Open D", true));
    EXPECT_TRUE(e.editor.setBrowsed("Open G", false));
    EXPECT_EQ(e.shownName(), "Double C");
    EXPECT_FALSE(e.editor.setBrowsed("No such tuning", true));

    EXPECT_FALSE(e.editor.addCustomTuning("Mine", "aDADE"));
    e.state.tuningIndex = *e.state.setup.indexOf("Mine");
    EXPECT_FALSE(e.editor.changeCustomTuning("mine", "  Yours ", "aEADE"));
    EXPECT_EQ(e.shownName(), "Yours");
    EXPECT_EQ(e.state.setup.target(e.state.tuningIndex, 4)->noteName, "E3");

    const auto refused = e.editor.changeCustomTuning("Yours", "Open D", "aEADE");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->kind, TuningProblem::Kind::DuplicateName);
    EXPECT_EQ(e.shownName(), "Yours");

    // Removing the tuning shown shows the one before it in its place.
    e.editor.removeCustomTuning("Yours");
    EXPECT_TRUE(e.state.hasTuning());
    EXPECT_EQ(e.defaults.stringForKey(settings::kCustomTuningsKey), "");

    for (const std::string& name : std::vector(e.editor.settings().browsedTunings)) {
        e.editor.setBrowsed(name, false);
    }
    EXPECT_EQ(e.editor.settings().browsedTunings.size(), 1u);
    EXPECT_EQ(e.state.tuningIndex, 1u);
}

// What the settings say, in English where the bundle has no translation: the proposal reads as
// players are told it will, and each refusal names what was wrong.
TEST(PlayerSettingsEditor, MessagesSayWhatWasHeardAndWhatWasWrong) {
    const platform::headless::HeadlessBundle bundle;
    EXPECT_EQ(referenceProposalText(4423, bundle), "A4 = 442.3 Hz \u2014 keep?");
    using Refusal = ReferenceFromNote::Refusal;
    EXPECT_EQ(referenceRefusalText({4423, std::nullopt}, bundle), "");
    EXPECT_NE(referenceRefusalText({std::nullopt, Refusal::NoSteadyNote}, bundle), "");
    EXPECT_NE(referenceRefusalText({4700, Refusal::OutOfRange}, bundle).find("470.0 Hz"),
              std::string::npos);
    EXPECT_NE(tuningProblemMessage({TuningProblem::Kind::UnknownNote, "H3"}, bundle).find("H3"),
              std::string::npos);

    PlayerSettings settings;
    EXPECT_EQ(transposedSuffix(settings, bundle), "");
    settings.capoFret = 2;
    settings.fifthStringFret = 2;
    EXPECT_EQ(transposedSuffix(settings, bundle), ", capo 2, 5th at 7");
}

}  // namespace
}  // namespace strumwise::tuner
