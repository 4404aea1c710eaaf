#include "tuner/note_names.h"

#include <array>
#include <cmath>

namespace strumwise::tuner {
namespace {

// Semitones above C of each letter.
int letterSemitone(char letter) {
    switch (letter) {
        case 'C':
        case 'c':
            return 0;
        case 'D':
        case 'd':
            return 2;
        case 'E':
        case 'e':
            return 4;
        case 'F':
        case 'f':
            return 5;
        case 'G':
        case 'g':
            return 7;
        case 'A':
        case 'a':
            return 9;
        case 'B':
        case 'b':
            return 11;
        default:
            return -1;
    }
}

// The length and meaning of an accidental at the front of `text`: +1 sharp, -1 flat, 0 none.
std::pair<std::size_t, int> accidentalAt(std::string_view text) {
    constexpr std::string_view kSharpSign = "\u266F";
    constexpr std::string_view kFlatSign = "\u266D";
    if (text.starts_with('#')) {
        return {1, 1};
    }
    if (text.starts_with('b')) {
        return {1, -1};
    }
    if (text.starts_with(kSharpSign)) {
        return {kSharpSign.size(), 1};
    }
    if (text.starts_with(kFlatSign)) {
        return {kFlatSign.size(), -1};
    }
    return {0, 0};
}

}  // namespace

std::optional<int> parseNoteName(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    const int semitone = letterSemitone(text.front());
    if (semitone < 0) {
        return std::nullopt;
    }
    text.remove_prefix(1);
    const auto [length, shift] = accidentalAt(text);
    text.remove_prefix(length);
    if (text.size() != 1 || text.front() < '0' || text.front() > '9') {
        return std::nullopt;
    }
    const int octave = text.front() - '0';
    return (octave + 1) * 12 + semitone + shift;
}

std::string noteName(int midi) {
    static constexpr std::array<const char*, 12> kNames{"C",  "C#", "D",  "D#", "E",  "F",
                                                        "F#", "G",  "G#", "A",  "A#", "B"};
    // Integer division rounds toward zero, so octaves below -1 are found from a shifted value.
    const int octave = (midi + 1200) / 12 - 101;
    return std::string(kNames[static_cast<std::size_t>((midi % 12 + 12) % 12)]) +
           std::to_string(octave);
}

double equalTemperedHertz(int midi, double a4Hertz) {
    return a4Hertz * std::pow(2.0, (midi - kA4) / 12.0);
}

}  // namespace strumwise::tuner
