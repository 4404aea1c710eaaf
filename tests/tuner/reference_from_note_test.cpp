#include "tuner/reference_from_note.h"

#include <gtest/gtest.h>

#include <cmath>

namespace strumwise::tuner {
namespace {

using Refusal = ReferenceFromNote::Refusal;

// A sustained note sets A4 so that the note is exactly equal-tempered: a fiddle's A at 442.3 Hz,
// a piano's G3 tuned to A4 = 432, another banjo's D4 a little sharp of 440; an A flat at 415.3 Hz
// is already in tune at 440.
TEST(ReferenceFromNote, ASteadyNoteBecomesEqualTemperedAtTheNewReference) {
    const auto g3At432 = 432.0 * std::pow(2.0, -14.0 / 12.0);
    const auto d4Sharp = 440.0 * std::pow(2.0, (-7.0 + 0.2) / 12.0);  // 20 cents sharp
    const std::pair<double, int> cases[] = {
        {442.3, 4423}, {221.15, 4423}, {g3At432, 4320}, {d4Sharp, 4451}, {415.3, 4400}};
    for (const auto& [hertz, tenths] : cases) {
        const ReferenceFromNote taken = referenceFromNote(true, true, hertz, 4400);
        EXPECT_EQ(taken.tenths, tenths) << hertz;
        EXPECT_EQ(taken.refusal, std::nullopt) << hertz;
    }
    // The nearest note is judged at the current reference: a note a quarter tone above A4 = 440
    // is A raised when the reference already sits there, and B flat lowered when it does not.
    const double quarterSharp = 440.0 * std::pow(2.0, 0.55 / 12.0);
    EXPECT_EQ(referenceFromNote(true, true, quarterSharp, 4550).tenths, 4542);
    EXPECT_EQ(referenceFromNote(true, true, quarterSharp, 4400).tenths, 4287);
}

TEST(ReferenceFromNote, RefusesWithoutASteadyNoteOrOutsideTheRange) {
    for (const auto& [loud, steady, hertz] :
         {std::tuple{false, true, 440.0}, std::tuple{true, false, 440.0},
          std::tuple{true, true, 0.0}, std::tuple{true, true, std::nan("")}}) {
        const ReferenceFromNote taken = referenceFromNote(loud, steady, hertz, 4400);
        EXPECT_EQ(taken.refusal, Refusal::NoSteadyNote);
        EXPECT_EQ(taken.tenths, std::nullopt);
    }
    // A note 45 cents flat of A4 = 415 would need A4 = 404.4; one 45 cents sharp of 466, 478.3.
    const ReferenceFromNote low =
        referenceFromNote(true, true, 415.0 * std::pow(2.0, -0.45 / 12), 4150);
    EXPECT_EQ(low.refusal, Refusal::OutOfRange);
    EXPECT_EQ(low.tenths, 4044);
    const ReferenceFromNote high =
        referenceFromNote(true, true, 466.0 * std::pow(2.0, 0.45 / 12), 4660);
    EXPECT_EQ(high.refusal, Refusal::OutOfRange);
    EXPECT_EQ(high.tenths, 4783);
}

}  // namespace
}  // namespace strumwise::tuner
