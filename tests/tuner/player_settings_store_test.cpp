#include "tuner/player_settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "adapters/headless/memory_user_defaults.h"
#include "base/settings_keys.h"
#include "support/lines_log.h"
#include "tuner/custom_tunings.h"
#include "tuner/tuning_setup.h"

namespace strumwise::tuner {
namespace {

using platform::headless::MemoryUserDefaults;

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

// What is stored reads back the same, and only the settings that changed are written.
TEST(PlayerSettingsStore, StoredSettingsReadBackAndOnlyChangesAreWritten) {
    MemoryUserDefaults defaults;
    testing::LinesLog log;
    EXPECT_EQ(loadPlayerSettings(defaults, log), PlayerSettings{});

    const PlayerSettings settings = everythingSet();
    storePlayerSettings(defaults, PlayerSettings{}, settings);
    EXPECT_EQ(loadPlayerSettings(defaults, log), settings);
    EXPECT_EQ(log.all(), "");
    EXPECT_EQ(defaults.stringForKey(settings::kReferencePitchKey), "442.3");

    // Back to the defaults, one at a time: each change writes its own key only.
    MemoryUserDefaults fresh;
    PlayerSettings before;
    PlayerSettings after = before;
    after.capoFret = 3;
    storePlayerSettings(fresh, before, after);
    EXPECT_EQ(fresh.stringForKey(settings::kCapoFretKey), "3");
    for (const std::string_view key :
         {settings::kReferencePitchKey, settings::kBrowsedTuningsKey, settings::kCustomTuningsKey,
          settings::kFifthStringFretKey, settings::kLockedStringKey}) {
        EXPECT_EQ(fresh.stringForKey(key), std::nullopt) << key;
    }
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

}  // namespace
}  // namespace strumwise::tuner
