#include "tuner/tuning_meter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tuner/held_reading.h"
#include "tuner/tuning_table.h"

namespace strumwise::tuner {
namespace {

using Reading = platform::TuningMeterReading;
using Turn = Reading::Turn;

// Equal temperament, worked out here rather than taken from the table.
double note(int midi, double cents = 0.0) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0 + cents / 1200.0);
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
        {1, note(55, 20.0), 3, "G3", 20.0, 20.0, Turn::Down},  // sharp: tune down
        {1, note(59, -7.0), 2, "B3", -7.0, -7.0, Turn::Up},    // flat: tune up
        {2, note(62, 3.0), 2, "D4", 3.0, 3.0, Turn::None},     // D4 is string 2 here
        {3, note(48, -40.0), 4, "C3", -40.0, -40.0, Turn::Up},
        {1, note(50, -99.0), 4, "D3", -99.0, -50.0, Turn::Up},  // the needle rests at its end
        {2, note(69, 99.0), 5, "A4", 99.0, 50.0, Turn::Down},
        {1, note(50, -101.0), 0, "C#3", -1.0, -1.0, Turn::Up},  // D3 is string 4, 101 cents up
        {1, 100.0, 0, "G2", 35.0, 35.0, Turn::Up},
        {2, 600.0, 0, "D5", 36.95, 36.95, Turn::Down},
        {3, note(51, 49.0), 0, "D#3", 49.0, 49.0, Turn::Down},  // 349 cents above C3
        {4, note(85, -30.0), 0, "C#6", -30.0, -30.0, Turn::Down},
        {1, note(11, 10.0), 0, "B-1", 10.0, 10.0, Turn::Up},
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
    EXPECT_FALSE(tuningMeterReading(1, note(50, -100.0) * 1.0001).chromatic);
    EXPECT_TRUE(tuningMeterReading(1, 0.0).idle);
    EXPECT_TRUE(tuningMeterReading(5, 196.0).idle);
}

TEST(TuningMeter, SaysInTuneExactlyWhenTheLampWould) {
    for (std::uint64_t tuning = 1; tuning <= kTuningCount; ++tuning) {
        for (int string = 1; string <= kStringCount; ++string) {
            const Note& n = *noteOf(tuning, string);
            for (const double hertz :
                 {n.windowLow - 0.001, n.windowLow, n.windowHigh, n.windowHigh + 0.001}) {
                const Reading reading = tuningMeterReading(tuning, hertz);
                EXPECT_EQ(reading.string, string);
                EXPECT_EQ(reading.turn == Turn::None, matchString(tuning, hertz) == string)
                    << tuning << " " << hertz;
            }
        }
    }
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
    tick(0.01, noteAt(note(55, 20.0)));
    tick(0.01, unsure);  // a reading not yet sure keeps it
    tick(0.01, noteAt(note(55, 2.0)));
    tick(0.003, noteAt(note(55, -11.0)));  // the dead band keeps it
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

}  // namespace
}  // namespace strumwise::tuner
