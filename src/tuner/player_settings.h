#pragma once

#include <string>
#include <vector>

#include "tuner/tuning.h"

namespace strumwise::tuner {

// What the player has set up beyond the screen the tuner always had: the pitch of A4, which
// tunings the browser steps through, the player's own tunings, a capo and a fifth-string spike,
// and a string to read every note against. The defaults are the tuner as it always was: A4 =
// 440 Hz, the four tunings in their order, no capo and the string found by ear.
struct PlayerSettings {
    // A4 in tenths of a hertz, so that every value the player can choose is exact.
    static constexpr int kLowestReference = 4150;
    static constexpr int kHighestReference = 4660;
    static constexpr int kDefaultReference = 4400;
    // Frets a capo or a spike can stop at.
    static constexpr int kHighestFret = 7;

    int referenceTenths = kDefaultReference;
    // The names of the library's tunings and of the player's own that the browser steps through.
    // The browser shows them in the library's order, then the player's own in the order they
    // were made; the order here does not matter. Never empty.
    std::vector<std::string> browsedTunings = defaultBrowsedTunings();
    // The player's own tunings, in the order they were made; names are unique among all
    // tunings, the library's included.
    std::vector<Tuning> customTunings;
    // The fret strings 1 to 4 are stopped at by a capo; 0: none.
    int capoFret = 0;
    // The fret of the fifth string itself (counted from its own nut at the neck's fifth fret)
    // at which a spike or a fifth-string capo stops it; 0: none. Fret 2 of the fifth string
    // lies at the neck's seventh fret.
    int fifthStringFret = 0;
    // The string every note is read against, 1..5; 0: the nearest string, found by ear.
    int lockedString = 0;

    double referenceHertz() const { return referenceTenths / 10.0; }
    // Whether `name` is one the browser steps through.
    bool browses(std::string_view name) const;
    // The player's own tuning of that name, or nullptr.
    const Tuning* customTuning(std::string_view name) const;

    static std::vector<std::string> defaultBrowsedTunings();
    static bool isReference(int tenths) {
        return tenths >= kLowestReference && tenths <= kHighestReference;
    }
    static bool isFret(int fret) { return fret >= 0 && fret <= kHighestFret; }
    static bool isLock(int string) { return string >= 0 && string <= kStringCount; }

    bool operator==(const PlayerSettings&) const = default;
};

// One setting as a change of it is reported: its name ("reference", "tunings", "custom",
// "capo", "fifth", "string") and its new value as text.
struct SettingChange {
    std::string name;
    std::string value;
    bool operator==(const SettingChange&) const = default;
};

// The settings that differ between `before` and `after`, one change each, in the order above.
// A reference reads "442.0"; the browsed tunings and the player's own are listed by name
// ("Open G, Open D"; "My D: A4 D3 A3 D4 E4"); the lock "3" or "auto".
std::vector<SettingChange> settingChanges(const PlayerSettings& before,
                                          const PlayerSettings& after);

// A4 in the one notation the product shows: "442.0".
std::string referenceText(int tenths);

}  // namespace strumwise::tuner
