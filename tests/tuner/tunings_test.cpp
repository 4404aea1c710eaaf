// The tunings: the table's windows, the library and the notes players write, the meter's
// reading against a string, and the setup a reference, a capo and a lock make of them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "tuner/custom_tunings.h"
#include "tuner/held_reading.h"
#include "tuner/note_names.h"
#include "tuner/tuning_meter.h"
#include "tuner/tuning_setup.h"
#include "tuner/tuning_table.h"
#include "tuner/tuning_text.h"
#include "tuner/tunings_library.h"

namespace strumwise::tuner {
namespace {

using Reading = platform::TuningMeterReading;
using Turn = Reading::Turn;
using Kind = TuningProblem::Kind;

// Equal temperament, worked out here rather than taken from the tuner.
double equalTempered(int midi, double cents = 0.0, double a4 = 440.0) {
    return a4 * std::pow(2.0, (midi - 69) / 12.0 + cents / 1200.0);
}

const std::map<std::string, std::pair<int, std::pair<int, int>>> kMidiAndBins{
    {"C3", {48, {305, 306}}},  {"D3", {50, {342, 343}}}, {"G3", {55, {457, 458}}},
    {"A3", {57, {513, 514}}},  {"B3", {59, {575, 578}}}, {"C4", {60, {609, 612}}},
    {"D4", {62, {684, 687}}},  {"E4", {64, {768, 771}}}, {"G4", {67, {913, 917}}},
    {"A4", {69, {1025, 1029}}}};

// Each window is equal temperament plus or minus 5 cents, rounded to 0.001 Hz, and holds exactly
// the estimator's bins listed above (bin k is 14039 k / 32768 Hz, as a float); the meter says a
// string is in tune exactly where its lamp would light.
TEST(TuningTable, WindowsFollowTheirRuleHoldTheirBinsAndAgreeWithTheMeter) {
    for (std::uint64_t tuning = 1; tuning <= kTuningCount; ++tuning) {
        for (int string = 1; string <= kStringCount; ++string) {
            const Note& note = *noteOf(tuning, string);
            const auto& [midi, bins] = kMidiAndBins.at(std::string(note.name));
            const double f = equalTempered(midi);
            const auto rounded = [](double hz) { return std::round(hz * 1000) / 1000; };
            EXPECT_DOUBLE_EQ(note.windowLow, rounded(f * std::pow(2.0, -5.0 / 1200)));
            EXPECT_DOUBLE_EQ(note.windowHigh, rounded(f * std::pow(2.0, 5.0 / 1200)));
            for (int bin = bins.first - 1; bin <= bins.second + 1; ++bin) {
                const double hz = static_cast<float>(14039.0 * bin / 32768.0);
                const bool inside = bin >= bins.first && bin <= bins.second;
                EXPECT_EQ(matchString(tuning, hz) == string, inside) << note.name << " " << bin;
            }
            for (const double hz : {note.windowLow - 0.001, note.windowLow, note.windowHigh,
                                    note.windowHigh + 0.001}) {
                const Reading reading = tuningMeterReading(tuning, hz);
                EXPECT_EQ(reading.string, string);
                EXPECT_EQ(reading.turn == Turn::None, matchString(tuning, hz) == string)
                    << note.name << " " << hz;
            }
        }
    }
    // No sound, no number, no such tuning or string: no match.
    const std::pair<std::uint64_t, double> unmatched[] = {
        {1, 0.0}, {1, std::nan("")}, {0, 293.5}, {5, 293.5}};
    for (const auto& [tuning, hz] : unmatched) {
        EXPECT_EQ(matchString(tuning, hz), std::nullopt) << tuning << " " << hz;
    }
    EXPECT_EQ(noteOf(1, 6), nullptr);
}

// Near a string (within a semitone) the meter reads signed cents against it, stops the needle
// at fifty, says which way to turn and shows the string's own window of plus or minus 5 cents as
// its green zone; farther from every string it names the heard note itself, still pointing the
// way toward the nearest string, with no zone.
TEST(TuningMeter, NearestStringOrTheHeardNoteSignedCentsNeedleAndWhichWayToTurn) {
    struct Case {
        std::uint64_t tuning;
        double hertz;
        int string;  // 0: farther than a semitone from every string
        const char* note;
        double cents;
        double needle;
        Turn turn;
    };
    const Case cases[] = {
        {1, equalTempered(55, 20.0), 3, "G3", 20.0, 20.0, Turn::Down},  // sharp: tune down
        {1, equalTempered(59, -7.0), 2, "B3", -7.0, -7.0, Turn::Up},    // flat: tune up
        {2, equalTempered(62, 3.0), 2, "D4", 3.0, 3.0, Turn::None},     // D4 is string 2 here
        // The needle rests at its end.
        {1, equalTempered(50, -99.0), 4, "D3", -99.0, -50.0, Turn::Up},
        {2, equalTempered(69, 99.0), 5, "A4", 99.0, 50.0, Turn::Down},
        // D3 is string 4, 101 cents up.
        {1, equalTempered(50, -101.0), 0, "C#3", -1.0, -1.0, Turn::Up},
        {1, 100.0, 0, "G2", 35.0, 35.0, Turn::Up},
        {3, equalTempered(51, 49.0), 0, "D#3", 49.0, 49.0, Turn::Down},  // 349 cents above C3
        {4, equalTempered(85, -30.0), 0, "C#6", -30.0, -30.0, Turn::Down},
        {1, equalTempered(11, 10.0), 0, "B-1", 10.0, 10.0, Turn::Up},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hertz);
        const Reading reading = tuningMeterReading(c.tuning, c.hertz);
        EXPECT_FALSE(reading.idle);
        EXPECT_EQ(reading.chromatic, c.string == 0);
        EXPECT_EQ(reading.string, c.string);
        EXPECT_EQ(reading.note, c.note);
        EXPECT_NEAR(reading.cents, c.cents, 0.05);
        EXPECT_NEAR(reading.needle, c.needle, 0.05);
        EXPECT_EQ(reading.turn, c.turn);
        EXPECT_NEAR(reading.zoneLow, c.string == 0 ? 0.0 : -5.0, 0.01);
        EXPECT_NEAR(reading.zoneHigh, c.string == 0 ? 0.0 : 5.0, 0.01);
    }
    EXPECT_FALSE(tuningMeterReading(1, equalTempered(50, -100.0) * 1.0001).chromatic);
    EXPECT_TRUE(tuningMeterReading(1, 0.0).idle);
    EXPECT_TRUE(tuningMeterReading(5, 196.0).idle);
}

// Every reading the meter draws, in order.
struct Recorder final : platform::TuningMeter {
    std::vector<Reading> shown;
    void show(const Reading& reading) override { shown.push_back(reading); }
};

TEST(TuningMeter, ShowsTheHeldPitchWhichKeepsWhileUnsureAndLetsGoAfterThreeTicksOfNoise) {
    using Verdict = pitch::NoteReading::Verdict;
    const auto noteAt = [](double hertz) { return pitch::NoteReading{Verdict::Note, hertz}; };
    const pitch::NoteReading unsure;
    const pitch::NoteReading noise{Verdict::NoNote, 0.0};
    Recorder view;
    TunerState state;
    TuningMeter meter(&view, state);
    HeldReading held;
    const auto tick = [&](double power, const pitch::NoteReading& reading) {
        held.update(power, reading);
        meter.show(power, held.hertz());
    };
    tick(0.01, unsure);  // the start of a pluck: nothing yet
    EXPECT_TRUE(view.shown.empty());
    tick(0.01, noteAt(equalTempered(55, 20.0)));
    tick(0.01, unsure);  // a reading not yet sure keeps it
    tick(0.01, noteAt(equalTempered(55, 2.0)));
    tick(0.003, noteAt(equalTempered(55, -11.0)));  // the dead band keeps it
    ASSERT_EQ(view.shown.size(), 2u);
    EXPECT_NEAR(view.shown[0].cents, 20.0, 0.05);
    EXPECT_NEAR(view.shown[1].cents, 2.0, 0.05);
    EXPECT_EQ(meter.shownReading(), view.shown[1]);
    // Two ticks of noise keep the reading; the third lets it go, as the note has died away.
    tick(0.01, noise);
    tick(0.01, noise);
    EXPECT_EQ(view.shown.size(), 2u);
    tick(0.01, noise);
    ASSERT_EQ(view.shown.size(), 3u);
    EXPECT_TRUE(view.shown[2].idle);
    // A note in between starts the count again.
    for (const auto& reading : {noteAt(196.0), noise, noise, noteAt(196.0), noise, noise}) {
        tick(0.01, reading);
    }
    EXPECT_FALSE(meter.shownReading().idle);
    // A new pluck, too young to read, lets go of the note before it at once.
    tick(0.01, {Verdict::Starting, 0.0});
    EXPECT_TRUE(meter.shownReading().idle);
    tick(0.01, noteAt(196.0));
    tick(0.001, unsure);  // silence: idle, whatever the reading
    EXPECT_TRUE(view.shown.back().idle);
    const std::size_t shown = view.shown.size();
    state.tuningIndex = 0;  // an unknown tuning leaves the meter alone, like the screen
    tick(0.01, noteAt(196.0));
    tick(0.0, noteAt(196.0));
    EXPECT_EQ(view.shown.size(), shown);
}

TuningSetup setupWith(int referenceTenths, int capo = 0, int fifth = 0, int lock = 0) {
    PlayerSettings settings;
    settings.referenceTenths = referenceTenths;
    settings.capoFret = capo;
    settings.fifthStringFret = fifth;
    settings.lockedString = lock;
    for (const Tuning& tuning : tuningLibrary()) {
        settings.browsedTunings.push_back(tuning.name);
    }
    TuningSetup setup;
    setup.apply(settings);
    return setup;
}

// Every string of every tuning, at every reference: the window is plus or minus 5 cents around
// equal temperament at that reference (within the 0.001 Hz the fixed windows are rounded to,
// scaled), the meter reads a detuned note's cents and says which way to turn, and the lamp's
// window and the meter's zone agree.
TEST(TuningSetup, WindowsAndCentsFollowTheReferenceFromEqualTemperament) {
    for (const int tenths : {4150, 4320, 4400, 4420, 4660}) {
        const double a4 = tenths / 10.0;
        const TuningSetup setup = setupWith(tenths);
        ASSERT_EQ(setup.tuningCount(), tuningLibrary().size());
        for (std::uint64_t index = 1; index <= setup.tuningCount(); ++index) {
            for (int string = 1; string <= kStringCount; ++string) {
                const StringTarget& target = *setup.target(index, string);
                const int midi = setup.tuning(index)->notes[static_cast<std::size_t>(string - 1)];
                const double f = equalTempered(midi, 0.0, a4);
                const double slack = 0.0006 * a4 / 440.0;
                EXPECT_NEAR(target.windowLow, f * std::pow(2.0, -5.0 / 1200.0), slack);
                EXPECT_NEAR(target.windowHigh, f * std::pow(2.0, 5.0 / 1200.0), slack);
                if (tenths != 4400) {  // at 440 the table's own tones (293.6 for D4) stay
                    EXPECT_NEAR(target.toneHertz, f, f * 1e-6);
                }
                for (const double cents : {-30.0, -4.0, 0.0, 4.0, 30.0}) {
                    const Reading reading =
                        tuningMeterReading(setup, index, equalTempered(midi, cents, a4));
                    EXPECT_EQ(reading.string, string) << a4 << " " << midi;
                    EXPECT_NEAR(reading.cents, cents, 0.02) << a4 << " " << midi;
                    EXPECT_EQ(reading.turn, cents > 5    ? Turn::Down
                                            : cents < -5 ? Turn::Up
                                                         : Turn::None);
                }
                EXPECT_EQ(setup.match(index, target.windowLow), string);
                EXPECT_NE(setup.match(index, target.windowHigh + 0.001), string);
            }
        }
    }
}

// At 440 Hz the four tunings are exactly the table: windows, labels and tones. Elsewhere a
// label is the frequency tuned to, rounded to a tenth, without ".0".
TEST(TuningSetup, At440TheFourTuningsAreTheTableAndOtherReferencesRelabel) {
    const TuningSetup at440;
    ASSERT_EQ(at440.tuningCount(), kTuningCount);
    for (std::uint64_t tuning = 1; tuning <= kTuningCount; ++tuning) {
        for (int string = 1; string <= kStringCount; ++string) {
            const Note& note = *noteOf(tuning, string);
            const StringTarget& target = *at440.target(tuning, string);
            EXPECT_EQ(target.noteName, note.name);
            EXPECT_EQ(target.label, note.referenceLabel);
            EXPECT_EQ(target.toneHertz, note.referenceFrequency);
            EXPECT_EQ(target.windowLow, note.windowLow);
            EXPECT_EQ(target.windowHigh, note.windowHigh);
        }
    }
    // (A4 = 444 is read on the forks and in the tunings command.)
    EXPECT_EQ(setupWith(4420).target(2, 5)->label, "442Hz");
    // A note the table lacks is labelled from equal temperament at 440 too.
    EXPECT_EQ(setupWith(4400).target(*setupWith(4400).indexOf("Open D"), 3)->label, "185Hz");
}

// A capo raises strings 1 to 4 by its fret; the fifth string follows its own fret. Open G with
// a capo at 2 and the fifth string at its fret 2 sounds as open A does.
TEST(TuningSetup, CapoAndSpikeTransposeTheirStringsOnly) {
    const TuningSetup capoed = setupWith(4400, 2, 2);
    const TuningSetup open = setupWith(4400);
    const std::uint64_t openA = *open.indexOf("Open A");
    for (int string = 1; string <= kStringCount; ++string) {
        const StringTarget& raised = *capoed.target(1, string);
        const StringTarget& same = *open.target(openA, string);
        EXPECT_EQ(raised.note, same.note);
        EXPECT_EQ(raised.noteName, same.noteName);
        EXPECT_EQ(raised.windowLow, same.windowLow);
        EXPECT_EQ(raised.label, same.label);
    }
    const TuningSetup capoOnly = setupWith(4400, 3);
    EXPECT_EQ(capoOnly.target(1, 4)->noteName, "F3");  // D3 up three frets
    EXPECT_EQ(capoOnly.target(1, 5)->noteName, "G4");  // the drone is not under the capo
    const TuningSetup spikeOnly = setupWith(4400, 0, 7);
    EXPECT_EQ(spikeOnly.target(1, 5)->noteName, "D5");
    EXPECT_EQ(spikeOnly.target(1, 1)->noteName, "D4");
    EXPECT_TRUE(spikeOnly.transposed());
    EXPECT_FALSE(open.transposed());
    // G minor keeps its flat when it sounds open and names the raised note with a sharp.
    const std::uint64_t minor = *open.indexOf("G Minor");
    EXPECT_EQ(open.target(minor, 2)->noteName, "Bb3");
    EXPECT_EQ(setupWith(4400, 1).target(minor, 2)->noteName, "B3");
}

// Locked to a string, the meter reads every note against it up to an octave each way and says
// which way to turn, and only that string's window lights the lamp.
TEST(TuningSetup, ALockedStringIsReadAnOctaveEachWayAndAloneLightsTheLamp) {
    const TuningSetup locked = setupWith(4400, 0, 0, 3);  // open G, string 3 (G3)
    for (const double cents : {-1199.0, -700.0, -200.0, 0.0, 200.0, 700.0, 1199.0}) {
        const Reading reading = tuningMeterReading(locked, 1, equalTempered(55, cents));
        EXPECT_FALSE(reading.chromatic) << cents;
        EXPECT_EQ(reading.string, 3) << cents;
        EXPECT_EQ(reading.note, "G3") << cents;
        EXPECT_NEAR(reading.cents, cents, 0.01);
        EXPECT_NEAR(reading.needle, std::clamp(cents, -50.0, 50.0), 0.01);
        EXPECT_EQ(reading.turn, cents > 0 ? Turn::Down : cents < 0 ? Turn::Up : Turn::None);
    }
    // Beyond an octave the heard note is named, still pointing toward the string.
    const Reading far = tuningMeterReading(locked, 1, equalTempered(55, 1300.0));
    EXPECT_TRUE(far.chromatic);
    EXPECT_EQ(far.note, "G#4");
    EXPECT_EQ(far.turn, Turn::Down);
    // D4 would be string 1 by ear; locked to string 3 it lights nothing, and G3 lights 3.
    EXPECT_EQ(setupWith(4400).match(1, 293.6), 1);
    EXPECT_EQ(locked.match(1, 293.6), std::nullopt);
    EXPECT_EQ(locked.match(1, 196.0), 3);
    EXPECT_EQ(setupWith(4400, 0, 0, 1).match(1, 196.0), std::nullopt);
}

// The browser's order is the library's, whatever order the names came in. (Settings out of
// range fall back to their defaults, one log line each, in the stored settings' cases.)
TEST(TuningSetup, ValidSettingsBrowseInTheLibrarysOrder) {
    PlayerSettings reordered;
    reordered.browsedTunings = {"open d", "Open G"};
    EXPECT_EQ(validSettings(reordered).browsedTunings,
              (std::vector<std::string>{"Open G", "Open D"}));
}

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
        {addCustomTuning(made.settings, "Mine", "G4 D3 G3 Q3 D4"), {Kind::UnknownNote, "Q3"}},
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

// The four tunings the tuner always knew come first (their notes are the table's at 440), and at
// least twelve more follow, each named and spelled, none repeating another's name or notes.
TEST(TuningText, TheLibraryHoldsTheFourFirstThenTwelveMore) {
    const auto library = tuningLibrary();
    ASSERT_GE(library.size(), 4u + 12u);
    for (std::size_t i = 0; i < library.size(); ++i) {
        EXPECT_FALSE(library[i].spelling.empty()) << library[i].name;
        EXPECT_EQ(library[i].specifiedIndex, i < kTuningCount ? i + 1 : 0) << library[i].name;
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_FALSE(sameTuningName(library[i].name, library[j].name)) << library[i].name;
            EXPECT_NE(library[i].notes, library[j].notes) << library[i].name;
        }
    }
}

}  // namespace
}  // namespace strumwise::tuner
