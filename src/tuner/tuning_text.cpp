#include "tuner/tuning_text.h"

#include <cctype>
#include <vector>

#include "tuner/note_names.h"

namespace strumwise::tuner {
namespace {

bool isSeparator(char c) {
    return c == ' ' || c == ',' || c == '\t';
}

std::vector<std::string_view> splitNotes(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isSeparator(text[i])) {
            ++i;
        }
        std::size_t end = i;
        while (end < text.size() && !isSeparator(text[end])) {
            ++end;
        }
        if (end > i) {
            parts.push_back(text.substr(i, end - i));
        }
        i = end;
    }
    return parts;
}

bool isNoteLetter(char c) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper >= 'A' && upper <= 'G';
}

// The short spelling's letters with their accidentals ("f#", "D", "Bb"); empty when the text is
// not made of them.
std::vector<std::string_view> splitSpelling(std::string_view text) {
    std::vector<std::string_view> letters;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isNoteLetter(text[i])) {
            return {};
        }
        std::size_t end = i + 1;
        for (const std::string_view accidental : {"#", "b", "\u266F", "\u266D"}) {
            if (text.substr(end).starts_with(accidental)) {
                end += accidental.size();
                break;
            }
        }
        letters.push_back(text.substr(i, end - i));
        i = end;
    }
    return letters;
}

bool hasDigit(std::string_view text) {
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            return true;
        }
    }
    return false;
}

// The note of a letter placed in `octave`.
int inOctave(std::string_view letter, int octave) {
    return *parseNoteName(std::string(letter) + std::to_string(octave));
}

// Octaves for the short spelling, drone first: see readTuningNotes.
std::vector<int> placeSpelling(const std::vector<std::string_view>& letters) {
    std::vector<int> notes{inOctave(letters[0], 4)};
    int fourth = inOctave(letters[1], 3);
    if (fourth >= inOctave("A", 3)) {
        fourth -= 12;
    }
    notes.push_back(fourth);
    for (std::size_t i = 2; i < letters.size(); ++i) {
        int note = inOctave(letters[i], 2);
        while (note <= notes.back()) {
            note += 12;
        }
        notes.push_back(note);
    }
    return notes;
}

std::string withCapital(std::string_view letter) {
    std::string text(letter);
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

TuningNotes problem(TuningProblem::Kind kind, std::string detail) {
    return {std::nullopt, TuningProblem{kind, std::move(detail)}};
}

}  // namespace

std::string tuningProblemText(const TuningProblem& problem) {
    switch (problem.kind) {
        case TuningProblem::Kind::EmptyName:
            return "a tuning needs a name";
        case TuningProblem::Kind::DuplicateName:
            return "there is already a tuning called '" + problem.detail + "'";
        case TuningProblem::Kind::NoteCount:
            return "a tuning has five notes, the drone string first (G4 D3 G3 B3 D4 or gDGBD), "
                   "not " +
                   problem.detail;
        case TuningProblem::Kind::UnknownNote:
            return "'" + problem.detail + "' is not a note (write G3, C#4 or Bb3)";
        case TuningProblem::Kind::OutOfRange:
            return problem.detail + " is outside the tuner's range, C2 to B5";
    }
    return {};
}

TuningNotes readTuningNotes(std::string_view text) {
    std::vector<std::string_view> parts = splitNotes(text);
    std::vector<int> notes;
    std::vector<std::string> names;
    if (parts.size() == 1 && !hasDigit(parts[0])) {
        const std::vector<std::string_view> letters = splitSpelling(parts[0]);
        if (letters.size() != kStringCount) {
            return letters.empty()
                       ? problem(TuningProblem::Kind::UnknownNote, std::string(text))
                       : problem(TuningProblem::Kind::NoteCount, std::to_string(letters.size()));
        }
        notes = placeSpelling(letters);
        for (std::size_t i = 0; i < letters.size(); ++i) {
            names.push_back(withCapital(letters[i]) + std::to_string((notes[i] + 1200) / 12 - 101));
        }
    } else {
        if (parts.size() != kStringCount) {
            return problem(TuningProblem::Kind::NoteCount, std::to_string(parts.size()));
        }
        for (const std::string_view part : parts) {
            const std::optional<int> note = parseNoteName(part);
            if (!note) {
                return problem(TuningProblem::Kind::UnknownNote, std::string(part));
            }
            notes.push_back(*note);
            names.push_back(withCapital(part));
        }
    }
    for (std::size_t i = 0; i < notes.size(); ++i) {
        if (notes[i] < kLowestNote || notes[i] > kHighestNote) {
            return problem(TuningProblem::Kind::OutOfRange, names[i]);
        }
    }
    // Written drone first, then strings 4 to 1; kept by string number.
    Tuning tuning;
    for (int string = 1; string <= kStringCount; ++string) {
        const std::size_t written = string == kStringCount ? 0 : kStringCount - string;
        tuning.notes[static_cast<std::size_t>(string - 1)] = notes[written];
        tuning.noteNames[static_cast<std::size_t>(string - 1)] = names[written];
    }
    return {tuning, std::nullopt};
}

std::optional<Tuning> parseTuningNotes(std::string_view text) {
    return readTuningNotes(text).tuning;
}

std::string tuningNotesText(const Tuning& tuning) {
    std::string text = tuning.noteNames[kStringCount - 1];
    for (int string = kStringCount - 1; string >= 1; --string) {
        text += ' ';
        text += tuning.noteNames[static_cast<std::size_t>(string - 1)];
    }
    return text;
}

std::string tuningTitle(std::string_view name, std::string_view spelling) {
    std::string title(name);
    if (!spelling.empty()) {
        title += " (";
        title += spelling;
        title += ')';
    }
    return title;
}

std::string_view trimmedName(std::string_view name) {
    while (!name.empty() && std::isspace(static_cast<unsigned char>(name.front()))) {
        name.remove_prefix(1);
    }
    while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back()))) {
        name.remove_suffix(1);
    }
    return name;
}

bool sameTuningName(std::string_view a, std::string_view b) {
    a = trimmedName(a);
    b = trimmedName(b);
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace strumwise::tuner
