#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tuner/tuning.h"

namespace strumwise::tuner {

// What is wrong with a tuning as the player wrote it.
struct TuningProblem {
    enum class Kind {
        EmptyName,      // a tuning of the player's own needs a name
        DuplicateName,  // another tuning has that name; `detail` is it
        NoteCount,      // not five notes; `detail` is how many were found
        UnknownNote,    // `detail` is the text that names no note
        OutOfRange,     // `detail` is the note the tuner cannot hear (below C2 or above B5)
    };
    Kind kind;
    std::string detail;

    bool operator==(const TuningProblem&) const = default;
};

// The problem in the player's own words, in English, for the command line.
std::string tuningProblemText(const TuningProblem& problem);

// Reads the five notes of a tuning, written as players write them, the drone string first and
// then strings 4 to 1: either note names with octaves separated by spaces or commas
// ("G4 D3 G3 B3 D4", "a4, e3, a3, c#4, e4"), or the short spelling without octaves ("gDGBD",
// "f#DF#AD", "gDGBbD"). The short spelling places the drone in the octave above middle C, the
// fourth string at A2 to G#3, and each string after it at the nearest pitch above the one before,
// as a banjo's strings rise from the fourth to the first. The answer has the notes and their
// names as written (name and spelling empty), or the problem.
struct TuningNotes {
    std::optional<Tuning> tuning;
    std::optional<TuningProblem> problem;
};
TuningNotes readTuningNotes(std::string_view text);

// As readTuningNotes, for text known to be good (the library's own).
std::optional<Tuning> parseTuningNotes(std::string_view text);

// The notes drone first as note names: "G4 D3 G3 B3 D4".
std::string tuningNotesText(const Tuning& tuning);

// A tuning's title on the screen: its name, with its spelling in brackets when it has one
// ("Open D (f#DF#AD)").
std::string tuningTitle(std::string_view name, std::string_view spelling);

// Whether two tuning names are the same to a player: compared without regard to letter case or
// spaces around them.
bool sameTuningName(std::string_view a, std::string_view b);

// The name without spaces around it.
std::string_view trimmedName(std::string_view name);

}  // namespace strumwise::tuner
