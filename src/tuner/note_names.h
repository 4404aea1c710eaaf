#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace strumwise::tuner {

// Notes are MIDI note numbers (A4 = 69, middle C = C4 = 60). The tuner hears and names the notes
// a banjo string can sound from the lowest C of a cello's range to the B two octaves above middle
// C; a player's own tuning must keep every string within them.
inline constexpr int kLowestNote = 36;   // C2
inline constexpr int kHighestNote = 83;  // B5
inline constexpr int kA4 = 69;

// The note of a name such as "G3", "C#4", "Bb3" or "f#4": a letter A to G (either case), at most
// one sharp ('#' or '♯') or flat ('b' or '♭'), then the octave, a single digit. Nothing else may
// surround it. nullopt when the text is no such name.
std::optional<int> parseNoteName(std::string_view text);

// The note's name with a sharp where it has one ("C#4", "A3"); octaves below 0 are written with
// a minus sign ("B-1").
std::string noteName(int midi);

// Equal temperament at a reference pitch for A4: `a4Hertz` x 2^((midi - 69) / 12).
double equalTemperedHertz(int midi, double a4Hertz);

}  // namespace strumwise::tuner
