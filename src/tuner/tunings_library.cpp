#include "tuner/tunings_library.h"

#include <array>
#include <vector>

#include "tuner/tuning_text.h"

namespace strumwise::tuner {
namespace {

// One entry as the sources write it: the usual name, the spelling players use (the drone string
// first, lower case, then strings 4 to 1), and the same notes with their octaves, drone first.
struct Entry {
    std::string_view name;
    std::string_view spelling;
    std::string_view notes;
};

// Sources, all public, for the tunings after the first four (whose notes are the tuner's own
// table):
//   [BM]  Barnes & Mullins, "5-String Banjo Tunings" (bmfolk.co.uk, "Banjos explained").
//   [DB]  Deering Banjos, "How to Tune a Banjo" (deeringbanjos.com).
//   [BR]  Brooks Banjos, "Common Tunings" (brooksbanjos.com).
//   [BJ]  banjr.com, "Tunings".
//   [WS]  William A. Sethares, "Alternate Tuning Guide" (University of Wisconsin, 2001), the
//         table of banjo tunings.
//   [TS]  27thstreet.me, "Tuning Tangle" (2015).
//   [KH]  Ken Haigh, "Banjo Friday 13" (kenhaigh.ca): Last Chance tuning.
//   [BB]  bthebanjo.com, "Shaving a Dead Man".
// The sources write the notes without octaves; they are placed as readTuningNotes places a
// short spelling, as on open G: the drone above middle C, the other strings rising from the
// fourth, just below or at the D below middle C.
constexpr std::array<Entry, 15> kEntries{{
    {"Open G", "gDGBD", "G4 D3 G3 B3 D4"},
    {"Double D", "aDADE", "A4 D3 A3 D4 E4"},
    {"Double C", "gCGCD", "G4 C3 G3 C4 D4"},
    {"G Modal", "gDGCD", "G4 D3 G3 C4 D4"},
    // Open G a whole tone up: how open G is played capoed at the second fret [BJ, BR, TS].
    {"Open A", "aEAC#E", "A4 E3 A3 C#4 E4"},
    // Also "C tuning" and "classic C": open G with the fourth string dropped to C [BM, DB].
    {"Drop C", "gCGBD", "G4 C3 G3 B3 D4"},
    // Also "D tuning", with the drone at F sharp [BM, DB, WS].
    {"Open D", "f#DF#AD", "F#4 D3 F#3 A3 D4"},
    // Open D with the drone at A, also called "Reuben" tuning [BJ, DB, WS].
    {"Graveyard", "aDF#AD", "A4 D3 F#3 A3 D4"},
    {"Open C", "gCGCE", "G4 C3 G3 C4 E4"},                // [WS]
    {"Open C Minor", "gCGCEb", "G4 C3 G3 C4 Eb4"},        // [WS]
    {"G Minor", "gDGBbD", "G4 D3 G3 Bb3 D4"},             // [WS]
    {"A Modal", "aEADE", "A4 E3 A3 D4 E4"},               // G modal a whole tone up [BR, TS]
    {"Standard D", "aDAC#E", "A4 D3 A3 C#4 E4"},          // drop C a whole tone up [TS]
    {"Last Chance", "fCFCD", "F4 C3 F3 C4 D4"},           // also "Sandy River Belle" [KH]
    {"Shaving a Dead Man", "f#BEBE", "F#4 B2 E3 B3 E4"},  // [BB]
}};

std::vector<Tuning> makeLibrary() {
    std::vector<Tuning> library;
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
        const Entry& entry = kEntries[i];
        Tuning tuning = *parseTuningNotes(entry.notes);
        tuning.name = entry.name;
        tuning.spelling = entry.spelling;
        tuning.specifiedIndex = i < kTuningCount ? i + 1 : 0;
        library.push_back(std::move(tuning));
    }
    return library;
}

constexpr std::array<std::string_view, kTuningCount> kSpecifiedNames{
    kEntries[0].name, kEntries[1].name, kEntries[2].name, kEntries[3].name};

}  // namespace

std::span<const Tuning> tuningLibrary() {
    static const std::vector<Tuning> library = makeLibrary();
    return library;
}

const Tuning* libraryTuningNamed(std::string_view name) {
    for (const Tuning& tuning : tuningLibrary()) {
        if (sameTuningName(name, tuning.name) ||
            sameTuningName(name, tuningTitle(tuning.name, tuning.spelling))) {
            return &tuning;
        }
    }
    return nullptr;
}

const Tuning* libraryTuningWithNotes(const std::array<int, kStringCount>& notes) {
    for (const Tuning& tuning : tuningLibrary()) {
        if (tuning.notes == notes) {
            return &tuning;
        }
    }
    return nullptr;
}

std::span<const std::string_view> specifiedTuningNames() {
    return kSpecifiedNames;
}

}  // namespace strumwise::tuner
