#include "base/level_meter.h"

#include <gtest/gtest.h>

#include "support/test_signals.h"

namespace strumwise {
namespace {

TEST(LevelMeter, ReadsRmsAndPeakOnTheLinearScale) {
    const std::vector<std::int16_t> square = {-32768, 32767, -32768, 32767};
    EXPECT_NEAR(measureLevel(square).averagePower, 1.0f, 1e-4f);
    EXPECT_EQ(measureLevel(square).peakPower, 1.0f);  // |-32768| must not overflow
    const LevelMeterState sine = measureLevel(testing::tone(440.0, 16384.0, {1.0}, 14039));
    EXPECT_NEAR(sine.averagePower, 0.5f / std::sqrt(2.0f), 1e-3f);
    EXPECT_NEAR(sine.peakPower, 0.5f, 1e-4f);
    EXPECT_EQ(measureLevel({}).averagePower, 0.0f);
    EXPECT_EQ(measureLevel({}).peakPower, 0.0f);
}

}  // namespace
}  // namespace strumwise
