#include "pitch/steady_note.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "pitch/onset_pitch.h"

namespace strumwise::pitch {
namespace {

constexpr double kRate = 14039.0;

// 4096 samples of a sine that starts at `from`: `hertz` at `amplitude` before `bend` (the block's
// middle) and `lateHertz` at `amplitude / fall` after it, continuous in phase. Before `from` an
// older note of 250 Hz rings at `tail`.
struct Block {
    double hertz = 300.0;
    double amplitude = 8000.0;
    double lateHertz = 300.0;
    double fall = 1.0;
    std::size_t from = 0;
    double tail = 0.0;
    std::size_t bend = 2048;

    std::vector<std::int16_t> samples() const {
        std::vector<std::int16_t> out(4096);
        double phase = 0.0;
        for (std::size_t n = 0; n < out.size(); ++n) {
            const bool late = n >= bend;
            if (n < from) {
                out[n] = static_cast<std::int16_t>(
                    std::lround(tail * std::sin(2.0 * std::numbers::pi * 250.0 *
                                                static_cast<double>(n) / kRate)));
                continue;
            }
            phase += 2.0 * std::numbers::pi * (late ? lateHertz : hertz) / kRate;
            out[n] = static_cast<std::int16_t>(
                std::lround((late ? amplitude / fall : amplitude) * std::sin(phase)));
        }
        return out;
    }
};

double cents(double hertz, double offset) {
    return hertz * std::exp2(offset / 1200.0);
}

TEST(SteadyNote, NeedsHalvesWithinThreeCentsARiseUnderOnePointSixAndAFallUnderTwo) {
    const struct {
        Block block;
        bool steady;
    } cases[] = {
        {{}, true},  // the first block heard needs nothing before it
        {{.lateHertz = cents(300.0, 2.8)}, true},
        {{.lateHertz = cents(300.0, 3.3)}, false},  // a pluck's pitch still settling
        {{.lateHertz = cents(300.0, -3.3)}, false},
        {{.fall = 1.9}, true},   // a banjo string dying away fast
        {{.fall = 2.1}, false},  // a note stopping
        {{.fall = 1.0 / 1.5}, true},
        {{.fall = 1.0 / 1.7}, false},  // a note starting late in the block
        {{.amplitude = 0.0}, false},
    };
    for (const auto& c : cases) {
        SteadyNote note(kRate);
        note.observe(c.block.samples(), 300.0);
        EXPECT_EQ(note.steady(), c.steady)
            << c.block.lateHertz << " Hz late, falling " << c.block.fall;
    }
    SteadyNote note(kRate);
    note.observe(Block{}.samples(), 0.0);
    EXPECT_FALSE(note.steady());  // no pitch
}

TEST(SteadyNote, ReadsANoteThatStartsInsideTheBlockFromItsOwnSamples) {
    // Each new note starts over a 250 Hz tail a tenth as loud, late enough that the block's
    // halves differ too much in level to be read whole. The mixed block's refined pitch (here
    // 302 Hz) only guides the search; the reading is the new note's own, to a twentieth of a
    // cent.
    const struct {
        std::size_t from;
        double fall;
        bool steady;
        double settling = 0.0;  // cents the pitch moves by from `bend` on
        std::size_t bend = 2048;
    } cases[] = {
        {1536, 1.0, true},
        {2900, 1.0, true},   // 1068 samples of the new note after its first part: just enough
        {3200, 1.0, false},  // 768: too few to read
        {1536, 5.0, false},  // stopping: no note that still sounds
        // Its part, from 1664 (after the 128 samples it starts in) to the end, has halves that
        // disagree: a pitch still settling.
        {1536, 1.0, false, 6.0, 2880},
    };
    for (const auto& c : cases) {
        const Block block{.lateHertz = cents(300.0, c.settling),
                          .fall = c.fall,
                          .from = c.from,
                          .tail = 800.0,
                          .bend = c.bend};
        SteadyNote note(kRate);
        note.observe(block.samples(), 302.0);
        EXPECT_EQ(note.steady(), c.steady) << c.from << " settling " << c.settling;
        if (c.steady) {
            EXPECT_NEAR(1200.0 * std::log2(note.hertz() / 300.0), 0.0, 0.05) << c.from;
        }
    }
}

TEST(OnsetPitch, FindsWherePlucksBeginAndReadsShortPartsNearTheirPitch) {
    EXPECT_EQ(noteStartIn(Block{}.samples()), std::nullopt);  // a ringing note has no start
    // A new note's first whole part follows the part it began in.
    EXPECT_EQ(noteStartIn(Block{.from = 1000, .tail = 800.0}.samples()), 1024u + 128u);
    EXPECT_EQ(noteStartIn(Block{.from = 1000}.samples()), 1024u + 128u);  // out of silence
    // Less than twice as loud (6 dB) within 9 ms is a ring's swell, not a pluck: no start.
    EXPECT_EQ(noteStartIn(Block{.from = 1024, .tail = 8000.0 / 2.1}.samples()), 1152u);
    EXPECT_EQ(noteStartIn(Block{.from = 1024, .tail = 8000.0 / 1.9}.samples()), std::nullopt);

    // A G3 with its octave twice as strong, read from a guess almost a quarter tone off: in
    // 1024 samples (73 ms) to a twentieth of a cent, in 512 (the half of that which the steady
    // test compares) to a cent; fewer samples give nothing.
    std::vector<std::int16_t> g3(1024);
    for (std::size_t n = 0; n < g3.size(); ++n) {
        const double t = static_cast<double>(n) / kRate;
        g3[n] = static_cast<std::int16_t>(
            std::lround(4000.0 * std::sin(2.0 * std::numbers::pi * 196.0 * t) +
                        8000.0 * std::sin(2.0 * std::numbers::pi * 392.0 * t)));
    }
    const auto centsOff = [&](std::size_t count) {
        return 1200.0 *
               std::log2(partialNear(std::span(g3).first(count), kRate, cents(196.0, 45.0)) /
                         196.0);
    };
    EXPECT_NEAR(centsOff(1024), 0.0, 0.05);
    EXPECT_NEAR(centsOff(512), 0.0, 1.0);
    EXPECT_EQ(partialNear(std::span(g3).first(511), kRate, 196.0), 0.0);
    // A semitone off, the search lies on the G3's slope, with no top of its own: nothing, as in
    // noise, where both halves of a block would otherwise read the same edge and agree.
    EXPECT_EQ(partialNear(g3, kRate, cents(196.0, 100.0)), 0.0);
}

}  // namespace
}  // namespace strumwise::pitch
