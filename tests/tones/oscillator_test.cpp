#include "tones/oscillator.h"

#include <gtest/gtest.h>

#include <numbers>

namespace strumwise::tones {
namespace {

constexpr double kTwoPi = 6.283185307179586;

TEST(Oscillator, PhaseOfExactlyTwoPiStaysAndOnlyAPhaseBeyondItWraps) {
    Oscillator still;
    still.state().tonePhase = kTwoPi;
    still.nextSample(0.0f, kWaveSine);
    EXPECT_EQ(still.state().tonePhase, kTwoPi);

    Oscillator moving;
    moving.state().tonePhase = kTwoPi;
    moving.nextSample(441.0f, kWaveSine);
    const double step = static_cast<double>(441.0f / 44100.0f);
    EXPECT_NEAR(moving.state().tonePhase, step * kTwoPi, 1e-12);
}

TEST(Oscillator, TriangleReflectsAtBothEndsAndTurns) {
    Oscillator top;
    top.state().triangleValue = 1.02;
    top.state().triangleDirection = 1.0f;
    top.nextSample(0.0f, kWaveTriangle);
    EXPECT_DOUBLE_EQ(top.state().triangleValue, 0.98);
    EXPECT_EQ(top.state().triangleDirection, -1.0f);

    Oscillator bottom;
    bottom.state().triangleValue = -1.02;
    bottom.state().triangleDirection = -1.0f;
    bottom.nextSample(0.0f, kWaveTriangle);
    EXPECT_DOUBLE_EQ(bottom.state().triangleValue, -0.98);
    EXPECT_EQ(bottom.state().triangleDirection, 1.0f);

    // Exactly 1.0 is not yet beyond the end.
    Oscillator edge;
    edge.state().triangleValue = 1.0;
    edge.nextSample(0.0f, kWaveTriangle);
    EXPECT_EQ(edge.state().triangleValue, 1.0);
    EXPECT_EQ(edge.state().triangleDirection, 1.0f);
}

TEST(Oscillator, OtherWavesAdvanceAfterTheFrameIsTaken) {
    Oscillator osc;
    EXPECT_EQ(osc.state().squareValue, 0.0);
    // The first square frame blends sin(0) with the square's initial 0.
    EXPECT_EQ(osc.nextSample(440.0f, kWaveSquare), 0);
    EXPECT_EQ(osc.state().squareValue, 1.0);
    EXPECT_GT(osc.state().sawtoothValue, 0.0);
    EXPECT_GT(osc.state().triangleValue, 0.0);

    Oscillator falling;
    falling.state().tonePhase = 4.0;
    falling.nextSample(440.0f, kWaveSquare);
    EXPECT_EQ(falling.state().squareValue, -1.0);
}

TEST(Oscillator, SawtoothWrapsOnlyBeyondOne) {
    Oscillator osc;
    osc.state().sawtoothValue = 1.0;
    osc.nextSample(0.0f, kWaveSawtooth);
    EXPECT_EQ(osc.state().sawtoothValue, 1.0);
    osc.nextSample(441.0f, kWaveSawtooth);
    EXPECT_NEAR(osc.state().sawtoothValue, -1.0 + 0.02, 1e-6);
}

TEST(Oscillator, FullBlendHitsTheCeilingAndNoFurther) {
    Oscillator crest;
    crest.state().tonePhase = std::numbers::pi / 2;
    crest.state().squareValue = 1.0;
    EXPECT_EQ(crest.nextSample(0.0f, kWaveSquare), kToneCeiling);

    Oscillator trough;
    trough.state().tonePhase = 3 * std::numbers::pi / 2;
    trough.state().squareValue = -1.0;
    EXPECT_EQ(trough.nextSample(0.0f, kWaveSquare), -kToneCeiling);
}

}  // namespace
}  // namespace strumwise::tones
