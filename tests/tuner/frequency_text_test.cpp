#include "tuner/frequency_text.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace strumwise::tuner {

// Digit for digit what "%.1fHz" gives, halfway cases included, for every frequency the
// estimator can report.
TEST(FrequencyText, AgreesWithPrintfOnEveryEstimatorBin) {
    EXPECT_EQ(frequencyText(293.4788513), "293.5Hz");
    for (int bin = 0; bin < 16384; ++bin) {
        const double hz = static_cast<float>(14039.0 * bin / 32768.0);
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.1fHz", hz);
        ASSERT_EQ(frequencyText(hz), expected) << bin;
    }
}

}  // namespace strumwise::tuner
