// The player's settings: taken from a sustained note, changed, stored and read back, and what
// the screens say of them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "adapters/headless/headless_bundle.h"
#include "adapters/headless/memory_user_defaults.h"
#include "base/settings_keys.h"
#include "support/lines_log.h"
#include "tuner/custom_tunings.h"
#include "tuner/player_settings_editor.h"
#include "tuner/player_settings_store.h"
#include "tuner/reference_from_note.h"
#include "tuner/settings_messages.h"
#include "tuner/tuning_setup.h"

namespace strumwise::tuner {
namespace {

using platform::headless::MemoryUserDefaults;
using Refusal = ReferenceFromNote::Refusal;

// A sustained note sets A4 so that the note is exactly equal-tempered: a fiddle's A at 442.3 Hz,
// a piano's G3 tuned to A4 = 432, another banjo's D4 a little sharp of 440; an A flat at 415.3 Hz
// is already in tune at 440. Without a loud steady note, or outside 415 to 466 Hz, it refuses.
TEST(ReferenceFromNote, ASteadyNoteBecomesEqualTemperedAtTheNewReferenceWithinRange) {
    const auto cents = [](double a4, double by) { return a4 * std::pow(2.0, by / 1200.0); };
    const struct {
        bool loud, steady;
        double hertz;
        int currentTenths;
        ReferenceFromNote taken;
    } cases[] = {
        {true, true, 442.3, 4400, {4423, {}}},
        {true, true, cents(432.0, -1400.0), 4400, {4320, {}}},
        {true, true, cents(440.0, -680.0), 4400, {4451, {}}},  // D4 20 cents sharp
        {true, true, 415.3, 4400, {4400, {}}},
        // The nearest note is judged at the current reference: a note a quarter tone above
        // A4 = 440 is A raised when the reference already sits there, and B flat lowered when
        // it does not.
        {true, true, cents(440.0, 55.0), 4550, {4542, {}}},
        {true, true, cents(440.0, 55.0), 4400, {4287, {}}},
        {false, true, 440.0, 4400, {{}, Refusal::NoSteadyNote}},
        {true, false, 440.0, 4400, {{}, Refusal::NoSteadyNote}},
        {true, true, 0.0, 4400, {{}, Refusal::NoSteadyNote}},
        {true, true, std::nan(""), 4400, {{}, Refusal::NoSteadyNote}},
        // 45 cents flat of A4 = 415 would need A4 = 404.4; 45 cents sharp of 466, 478.3.
        {true, true, cents(415.0, -45.0), 4150, {4044, Refusal::OutOfRange}},
        {true, true, cents(466.0, 45.0), 4660, {4783, Refusal::OutOfRange}},
    };
    for (const auto& c : cases) {
        const ReferenceFromNote taken =
            referenceFromNote(c.loud, c.steady, c.hertz, c.currentTenths);
        EXPECT_EQ(taken.tenths, c.taken.tenths) << c.hertz;
        EXPECT_EQ(taken.refusal, c.taken.refusal) << c.hertz;
    }
}

PlayerSettings everythingSet() {
    PlayerSettings settings = addCustomTuning({}, "Low = D", "A4 D3 A3 D4 F#4").settings;
    settings = addCustomTuning(settings, "Flat one", "gDGBbD").settings;
    settings.browsedTunings = {"Open D", "Low = D", "Open G", "Flat one"};
    settings.referenceTenths = 4423;
    settings.capoFret = 2;
    settings.fifthStringFret = 7;
    settings.lockedString = 5;
    return validSettings(settings);
}

// What is stored reads back the same, and so do the defaults stored over it. (That a change
// writes its own key alone is the editor's first case.)
TEST(PlayerSettingsStore, StoredSettingsAndDefaultsReadBackTheSame) {
    MemoryUserDefaults defaults;
    testing::LinesLog log;
    EXPECT_EQ(loadPlayerSettings(defaults, log), PlayerSettings{});

    const PlayerSettings settings = everythingSet();
    storePlayerSettings(defaults, PlayerSettings{}, settings);
    EXPECT_EQ(loadPlayerSettings(defaults, log), settings);
    EXPECT_EQ(log.all(), "");
    EXPECT_EQ(defaults.stringForKey(settings::kReferencePitchKey), "442.3");
    storePlayerSettings(defaults, settings, PlayerSettings{});
    EXPECT_EQ(loadPlayerSettings(defaults, log), PlayerSettings{});
}

// A value that cannot be read, or is out of range, falls back to its default with one log line,
// and the others are read as stored.
TEST(PlayerSettingsStore, ADamagedValueFallsBackToItsDefaultWithOneLogLine) {
    struct Case {
        std::string_view key;
        const char* value;
    };
    const Case cases[] = {
        {settings::kReferencePitchKey, "loud"},   {settings::kReferencePitchKey, "600"},
        {settings::kReferencePitchKey, "442Hz"},  {settings::kCapoFretKey, "two"},
        {settings::kCapoFretKey, "12"},           {settings::kFifthStringFretKey, "-1"},
        {settings::kLockedStringKey, "6"},        {settings::kLockedStringKey, ""},
        {settings::kBrowsedTuningsKey, "Open Z"}, {settings::kCustomTuningsKey, "Mine=G4 H3"},
        {settings::kCustomTuningsKey, "=gDGBD"},  {settings::kCustomTuningsKey, "Open G=aDADE"},
    };
    for (const Case& c : cases) {
        MemoryUserDefaults defaults;
        storePlayerSettings(defaults, PlayerSettings{}, everythingSet());
        defaults.setString(c.value, c.key);
        testing::LinesLog log;
        const PlayerSettings loaded = loadPlayerSettings(defaults, log);
        const std::string lines = log.all();
        EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1) << c.key << " " << lines;

        // Everything else as stored; the damaged one as the default.
        PlayerSettings expected = everythingSet();
        if (c.key == settings::kReferencePitchKey) {
            expected.referenceTenths = PlayerSettings::kDefaultReference;
        } else if (c.key == settings::kCapoFretKey) {
            expected.capoFret = 0;
        } else if (c.key == settings::kFifthStringFretKey) {
            expected.fifthStringFret = 0;
        } else if (c.key == settings::kLockedStringKey) {
            expected.lockedString = 0;
        } else if (c.key == settings::kBrowsedTuningsKey) {
            expected.browsedTunings = PlayerSettings::defaultBrowsedTunings();
        } else {
            expected.customTunings.clear();
            expected = validSettings(expected);
        }
        EXPECT_EQ(loaded, expected) << c.key << " " << c.value;
    }
}

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

// Each refusal names what was wrong, in English where the bundle has no translation. (The
// proposal, a note's problem and the capo's suffix are read on the running screen.)
TEST(PlayerSettingsEditor, RefusalsSayWhatWasWrong) {
    const platform::headless::HeadlessBundle bundle;
    EXPECT_EQ(referenceRefusalText({4423, std::nullopt}, bundle), "");
    EXPECT_NE(referenceRefusalText({std::nullopt, Refusal::NoSteadyNote}, bundle), "");
    EXPECT_NE(referenceRefusalText({4700, Refusal::OutOfRange}, bundle).find("470.0 Hz"),
              std::string::npos);
}

}  // namespace
}  // namespace strumwise::tuner
