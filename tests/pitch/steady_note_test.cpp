#include "pitch/steady_note.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <tuple>
#include <vector>

namespace strumwise::pitch {
namespace {

// A block of 4096 samples of a 300 Hz sine whose second half is `fall` times softer.
std::vector<std::int16_t> block(double amplitude, double fall = 1.0) {
    std::vector<std::int16_t> samples(4096);
    for (std::size_t n = 0; n < samples.size(); ++n) {
        const double level = n < samples.size() / 2 ? amplitude : amplitude / fall;
        samples[n] = static_cast<std::int16_t>(std::lround(
            level * std::sin(2.0 * std::numbers::pi * 300.0 * static_cast<double>(n) / 14039.0)));
    }
    return samples;
}

double cents(double hertz, double offset) {
    return hertz * std::exp2(offset / 1200.0);
}

TEST(SteadyNote, AgreesWithinTwoCentsOfTheBlockBeforeAndALevelFallOfUnderOnePointSix) {
    SteadyNote note;
    EXPECT_FALSE(note.steady());
    const auto loud = block(8000.0);
    struct Step {
        std::vector<std::int16_t> samples;
        double hertz;
        bool steady;
    };
    const Step steps[] = {
        {loud, 300.0, true},               // a note begins out of silence
        {loud, cents(300.0, 1.9), true},   // within two cents of the block before
        {loud, cents(300.0, 4.0), false},  // 2.1 cents from it
        {loud, cents(300.0, 4.0), true},   // and agreeing again
        {block(8000.0, 1.5), cents(300.0, 4.0), true},
        {block(8000.0, 1.7), cents(300.0, 4.0), false},        // dying away too fast: an ending
        {block(8000.0, 1.0 / 1.7), cents(300.0, 4.0), false},  // rising: a start
        {loud, 0.0, false},                                    // no pitch
        {loud, 300.0, false},                                  // nothing before it to agree with
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        note.observe(steps[i].samples, steps[i].hertz);
        EXPECT_EQ(note.steady(), steps[i].steady) << "step " << i;
    }
}

TEST(SteadyNote, AFallOfUpToTwoBetweenHalvesIsSteadyWhenTheBlockFellAsFastFromTheOneBefore) {
    // Halves 1.8 apart in level are 3.24 apart in energy and hold 1.31 a^2 against a flat
    // block before's 2 A^2. A smooth decay falls 3.24^2 = 10.5 times from block to block; with
    // A = 2.5 a the block fell 9.55 times, whose 1.5-fold (14.3) covers that; with A = 2 a it
    // fell 6.11 times (9.17 does not), as a note that stops inside the block. Past a fall of
    // two between halves no decay before it counts.
    const struct {
        double before;
        double fall;
        bool steady;
    } cases[] = {{2.5, 1.8, true}, {2.0, 1.8, false}, {5.0, 2.1, false}, {1.0, 1.5, true}};
    for (const auto& c : cases) {
        SteadyNote note;
        note.observe(block(4000.0 * c.before), 300.0);
        note.observe(block(4000.0, c.fall), 300.0);
        EXPECT_EQ(note.steady(), c.steady) << c.before << " " << c.fall;
    }
}

TEST(SteadyNote, TheFirstBlockOfANoteNeedsNoAgreementWhenTheOneBeforeWasFourTimesSofter) {
    // Four times softer: 12 dB; three times is not enough.
    for (const auto& [before, steady] : {std::pair{4.1, true}, std::pair{3.0, false}}) {
        SteadyNote note;
        note.observe(block(8000.0 / before), 440.0);
        note.observe(block(8000.0), 300.0);
        EXPECT_EQ(note.steady(), steady) << before;
    }
    // A pluck that begins 256 samples into the block, over a tail 1.7 times softer, is not yet
    // a steady first block; over one 1.5 times softer it is. After the block's first quarter a
    // dip no longer counts, nor does it where the block before lay 32 dB below: then no tail
    // sounds.
    for (const auto& [before, softer, from, steady] :
         {std::tuple{1000.0, 1.7, 0, false}, std::tuple{1000.0, 1.5, 0, true},
          std::tuple{1000.0, 1.7, 1024, true}, std::tuple{200.0, 1.7, 0, true}}) {
        auto samples = block(8000.0);
        for (int n = from; n < from + 256; ++n) {
            samples[n] = static_cast<std::int16_t>(std::lround(samples[n] / softer));
        }
        SteadyNote note;
        note.observe(block(before), 440.0);
        note.observe(samples, 300.0);
        EXPECT_EQ(note.steady(), steady) << before << " " << softer << " " << from;
    }
}

}  // namespace
}  // namespace strumwise::pitch
