#include "tuner/frequency_text.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace strumwise::tuner {
namespace {

TEST(FrequencyText, OneRoundedDecimalThenHz) {
    EXPECT_EQ(frequencyText(293.4788513), "293.5Hz");
    EXPECT_EQ(frequencyText(0.0), "0.0Hz");
    EXPECT_EQ(frequencyText(300.0), "300.0Hz");
    EXPECT_EQ(frequencyText(7019.5), "7019.5Hz");
}

// The read-out must agree with "%.1f" digit for digit, halfway cases included, for every
// frequency the estimator can report (bin k is 14039 k / 32768 Hz, as a float).
TEST(FrequencyText, AgreesWithPrintfOnEveryEstimatorBin) {
    for (int bin = 0; bin < 16384; ++bin) {
        const double hz = static_cast<float>(14039.0 * bin / 32768.0);
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.1fHz", hz);
        ASSERT_EQ(frequencyText(hz), expected) << bin;
    }
}

}  // namespace
}  // namespace strumwise::tuner
