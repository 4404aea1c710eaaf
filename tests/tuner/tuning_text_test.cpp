#include "tuner/tuning_text.h"

#include <gtest/gtest.h>

#include "tuner/custom_tunings.h"
#include "tuner/note_names.h"
#include "tuner/tunings_library.h"

namespace strumwise::tuner {
namespace {

using Kind = TuningProblem::Kind;

// Notes drone first, as players write them, either spelled out or short; sharps and flats both.
TEST(TuningText, ReadsNotesSpelledOutOrShortWithSharpsAndFlats) {
    struct Case {
        const char* text;
        const char* notes;  // drone first, as tuningNotesText writes them
    };
    const Case cases[] = {
        {"G4 D3 G3 B3 D4", "G4 D3 G3 B3 D4"},
        {"  a4, e3,a3 , c#4, e4 ", "A4 E3 A3 C#4 E4"},
        {"gDGBD", "G4 D3 G3 B3 D4"},
        {"f#DF#AD", "F#4 D3 F#3 A3 D4"},
        {"gDGBbD", "G4 D3 G3 Bb3 D4"},
        {"f#BEBE", "F#4 B2 E3 B3 E4"},  // a fourth string at B sits below D3
        {"G4 D3 G3 B\u266D3 D4", "G4 D3 G3 B\u266D3 D4"},
        {"C2 C2 C2 C2 B5", "C2 C2 C2 C2 B5"},
    };
    for (const Case& c : cases) {
        const TuningNotes read = readTuningNotes(c.text);
        ASSERT_TRUE(read.tuning) << c.text;
        EXPECT_EQ(tuningNotesText(*read.tuning), c.notes);
    }
    // String 1 is written last, the drone first.
    const Tuning openG = *parseTuningNotes("G4 D3 G3 B3 D4");
    EXPECT_EQ(openG.notes, (std::array<int, kStringCount>{62, 59, 55, 50, 67}));
    EXPECT_EQ(parseTuningNotes("G4 D3 G3 A#3 D4")->notes, parseTuningNotes("gDGBbD")->notes);
    // The library's spellings read as its notes.
    for (const Tuning& tuning : tuningLibrary()) {
        EXPECT_EQ(parseTuningNotes(tuning.spelling)->notes, tuning.notes) << tuning.name;
    }
}

TEST(TuningText, SaysWhatIsWrongWithNotes) {
    struct Case {
        const char* text;
        Kind kind;
        const char* detail;
    };
    const Case cases[] = {
        {"G4 D3 G3 H3 D4", Kind::UnknownNote, "H3"},
        {"G4 D3 G3 B D4", Kind::UnknownNote, "B"},
        {"G4 D3 G3 B#33 D4", Kind::UnknownNote, "B#33"},
        {"G4 D3 G3 B3", Kind::NoteCount, "4"},
        {"", Kind::NoteCount, "0"},
        {"gDGBDD", Kind::NoteCount, "6"},
        {"gDGXD", Kind::UnknownNote, "gDGXD"},
        {"G4 D3 G3 B3 C6", Kind::OutOfRange, "C6"},
        {"G4 B1 G3 B3 D4", Kind::OutOfRange, "B1"},
        {"G4 D3 G3 Cb2 D4", Kind::OutOfRange, "Cb2"},
    };
    for (const Case& c : cases) {
        const TuningNotes read = readTuningNotes(c.text);
        EXPECT_FALSE(read.tuning) << c.text;
        ASSERT_TRUE(read.problem) << c.text;
        EXPECT_EQ(read.problem->kind, c.kind) << c.text;
        EXPECT_EQ(read.problem->detail, c.detail) << c.text;
        EXPECT_FALSE(tuningProblemText(*read.problem).empty());
    }
    EXPECT_EQ(tuningProblemText({Kind::OutOfRange, "C6"}),
              "C6 is outside the tuner's range, C2 to B5");
}

// A tuning of the player's own: named, named apart from every other, and with notes the tuner
// can hear; a refusal changes nothing.
TEST(TuningText, ThePlayersOwnTuningsAreMadeRenamedChangedAndRemoved) {
    PlayerSettings settings;
    const SettingsEdit made = addCustomTuning(settings, "  My D  ", "aDADE");
    ASSERT_FALSE(made.problem);
    ASSERT_EQ(made.settings.customTunings.size(), 1u);
    EXPECT_EQ(made.settings.customTunings[0].name, "My D");
    EXPECT_TRUE(made.settings.browses("my d"));

    const std::pair<SettingsEdit, TuningProblem> refused[] = {
        {addCustomTuning(made.settings, " ", "gDGBD"), {Kind::EmptyName, ""}},
        {addCustomTuning(made.settings, "open g", "gDGBD"), {Kind::DuplicateName, "open g"}},
        {addCustomTuning(made.settings, "Open D (f#DF#AD)", "gDGBD"),
         {Kind::DuplicateName, "Open D (f#DF#AD)"}},
        {addCustomTuning(made.settings, "MY D", "gDGBD"), {Kind::DuplicateName, "MY D"}},
        {addCustomTuning(made.settings, "Mine", "G4 D3 G3 Q3 D4"), {Kind::UnknownNote, "Q3"}},
        {addCustomTuning(made.settings, "Mine", "G4 D3 G3 B3 D7"), {Kind::OutOfRange, "D7"}},
        {changeCustomTuning(made.settings, "My D", "Double C", "aDADE"),
         {Kind::DuplicateName, "Double C"}},
    };
    for (const auto& [edit, problem] : refused) {
        ASSERT_TRUE(edit.problem) << problem.detail;
        EXPECT_EQ(*edit.problem, problem);
        EXPECT_EQ(edit.settings, made.settings) << problem.detail;
    }

    // Renamed and retuned in one change, keeping its place in the browser; its own name again is
    // no duplicate.
    const SettingsEdit changed =
        changeCustomTuning(made.settings, "my d", "Old D", "A4 D3 A3 D4 F#4");
    ASSERT_FALSE(changed.problem);
    EXPECT_EQ(changed.settings.customTunings[0].name, "Old D");
    EXPECT_EQ(tuningNotesText(changed.settings.customTunings[0]), "A4 D3 A3 D4 F#4");
    EXPECT_TRUE(changed.settings.browses("Old D"));
    EXPECT_FALSE(changed.settings.browses("My D"));
    EXPECT_FALSE(changeCustomTuning(changed.settings, "Old D", "old d", "aDADE").problem);

    const PlayerSettings removed = removeCustomTuning(changed.settings, "OLD D");
    EXPECT_EQ(removed, PlayerSettings{});
    // Removing the only tuning shown brings the four back.
    PlayerSettings alone = changed.settings;
    alone.browsedTunings = {"Old D"};
    EXPECT_EQ(removeCustomTuning(alone, "Old D").browsedTunings,
              PlayerSettings::defaultBrowsedTunings());
}

TEST(TuningText, NotesAreNamedAndFoundByName) {
    EXPECT_EQ(parseNoteName("C2"), kLowestNote);
    EXPECT_EQ(parseNoteName("B5"), kHighestNote);
    EXPECT_EQ(parseNoteName("a4"), 69);
    EXPECT_EQ(parseNoteName("Cb4"), 59);
    EXPECT_EQ(parseNoteName("E#3"), 53);
    EXPECT_EQ(parseNoteName("C\u266F4"), 61);
    for (const char* bad : {"", "H4", "C", "C#", "C##4", "C4 ", " C4", "C10", "Cx4"}) {
        EXPECT_EQ(parseNoteName(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(noteName(61), "C#4");
    EXPECT_EQ(noteName(11), "B-1");
    EXPECT_NE(libraryTuningNamed(" open d "), nullptr);
    EXPECT_EQ(libraryTuningNamed("Open D (f#DF#AD)"), libraryTuningNamed("Open D"));
    EXPECT_EQ(libraryTuningNamed("Open"), nullptr);
}

}  // namespace
}  // namespace strumwise::tuner
