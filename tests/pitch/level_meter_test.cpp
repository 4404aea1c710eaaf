#include "base/level_meter.h"

#include <gtest/gtest.h>

#include <vector>

#include "pitch/test_signals.h"

namespace strumwise {
namespace {

TEST(LevelMeter, FullScaleSquareWaveReadsOneForBoth) {
    const std::vector<std::int16_t> square = {-32768, 32767, -32768, 32767};
    const platform::LevelMeterState level = measureLevel(square);
    EXPECT_NEAR(level.averagePower, 1.0f, 1e-4f);
    EXPECT_EQ(level.peakPower, 1.0f);  // |-32768| must not overflow
}

TEST(LevelMeter, SineReadsItsRmsAndPeakOnTheLinearScale) {
    const std::vector<std::int16_t> sine = testing::pureSine(440.0, 14039, 16384.0);
    const platform::LevelMeterState level = measureLevel(sine);
    EXPECT_NEAR(level.averagePower, 0.5f / std::sqrt(2.0f), 1e-3f);
    EXPECT_NEAR(level.peakPower, 0.5f, 1e-4f);
}

TEST(LevelMeter, EmptyBlockReadsZero) {
    EXPECT_EQ(measureLevel({}).averagePower, 0.0f);
    EXPECT_EQ(measureLevel({}).peakPower, 0.0f);
}

}  // namespace
}  // namespace strumwise
