#include "tuner/tuning_setup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tuner/tuning_meter.h"
#include "tuner/tunings_library.h"

namespace strumwise::tuner {
namespace {

using Reading = platform::TuningMeterReading;
using Turn = Reading::Turn;

// Equal temperament, worked out here rather than taken from the tuner.
double equalTempered(int midi, double a4, double cents = 0.0) {
    return a4 * std::pow(2.0, (midi - 69) / 12.0 + cents / 1200.0);
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
                const double f = equalTempered(midi, a4);
                const double slack = 0.0006 * a4 / 440.0;
                EXPECT_NEAR(target.windowLow, f * std::pow(2.0, -5.0 / 1200.0), slack);
                EXPECT_NEAR(target.windowHigh, f * std::pow(2.0, 5.0 / 1200.0), slack);
                if (tenths != 4400) {  // at 440 the table's own tones (293.6 for D4) stay
                    EXPECT_NEAR(target.toneHertz, f, f * 1e-6);
                }
                for (const double cents : {-30.0, -4.0, 0.0, 4.0, 30.0}) {
                    const Reading reading =
                        tuningMeterReading(setup, index, equalTempered(midi, a4, cents));
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
    const TuningSetup at444 = setupWith(4440);
    EXPECT_EQ(at444.target(1, 3)->label, "197.8Hz");  // G3
    EXPECT_EQ(at444.target(1, 5)->label, "395.6Hz");  // G4
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
        const Reading reading = tuningMeterReading(locked, 1, equalTempered(55, 440.0, cents));
        EXPECT_FALSE(reading.chromatic) << cents;
        EXPECT_EQ(reading.string, 3) << cents;
        EXPECT_EQ(reading.note, "G3") << cents;
        EXPECT_NEAR(reading.cents, cents, 0.01);
        EXPECT_NEAR(reading.needle, std::clamp(cents, -50.0, 50.0), 0.01);
        EXPECT_EQ(reading.turn, cents > 0 ? Turn::Down : cents < 0 ? Turn::Up : Turn::None);
    }
    // Beyond an octave the heard note is named, still pointing toward the string.
    const Reading far = tuningMeterReading(locked, 1, equalTempered(55, 440.0, 1300.0));
    EXPECT_TRUE(far.chromatic);
    EXPECT_EQ(far.note, "G#4");
    EXPECT_EQ(far.turn, Turn::Down);
    // D4 would be string 1 by ear; locked to string 3 it lights nothing, and G3 lights 3.
    EXPECT_EQ(setupWith(4400).match(1, 293.6), 1);
    EXPECT_EQ(locked.match(1, 293.6), std::nullopt);
    EXPECT_EQ(locked.match(1, 196.0), 3);
    EXPECT_EQ(setupWith(4400, 0, 0, 1).match(1, 196.0), std::nullopt);
}

// Settings out of range, or naming no tuning, fall back to their defaults, one log line each.
TEST(TuningSetup, InvalidSettingsFallBackToTheirDefaults) {
    PlayerSettings bad;
    bad.referenceTenths = 4000;
    bad.capoFret = 9;
    bad.fifthStringFret = -1;
    bad.lockedString = 6;
    bad.browsedTunings = {"Open Z"};
    std::vector<std::string> lines;
    const PlayerSettings valid =
        validSettings(bad, [&lines](const std::string& line) { lines.push_back(line); });
    EXPECT_EQ(valid, PlayerSettings{});
    EXPECT_EQ(lines.size(), 5u);
    // The browser's order is the library's, whatever order the names came in.
    PlayerSettings reordered;
    reordered.browsedTunings = {"open d", "Open G"};
    EXPECT_EQ(validSettings(reordered).browsedTunings,
              (std::vector<std::string>{"Open G", "Open D"}));
}

}  // namespace
}  // namespace strumwise::tuner
