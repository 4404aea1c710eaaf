#include "tones/oscillator.h"

#include <cmath>

namespace strumwise::tones {
namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kPi = 3.141592653589793;

// The low 16 bits of `v` truncated toward zero. The blend stays within +-1 for every frequency
// a fork button plays, so this is a plain truncation; the guard only keeps a nonsensical
// frequency (NaN, or far above the sample rate, where the triangle and sawtooth run away) from
// an undefined conversion on the audio thread.
std::int16_t truncateToSample(double v) {
    if (!(std::fabs(v) < 2147483648.0)) {
        return 0;
    }
    const auto whole = static_cast<std::int32_t>(v);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(whole & 0xFFFF));
}

}  // namespace

std::int16_t Oscillator::nextSample(float frequency, std::uint64_t waveShape) {
    State& s = state_;

    // The step is divided in single precision on purpose: that value is what the tone has
    // always been tuned by, and the worked samples depend on it.
    s.phaseStep = static_cast<double>(frequency / static_cast<float>(kToneSampleRate));

    const double sine = std::sin(s.tonePhase);
    double wave = sine;
    switch (waveShape) {
        case kWaveSquare:
            wave = s.squareValue;
            break;
        case kWaveSawtooth:
            wave = s.sawtoothValue;
            break;
        case kWaveTriangle:
            wave = s.triangleValue;
            break;
        default:
            break;
    }
    const double mix = sine + (wave - sine) * static_cast<double>(s.harmonicMixPercentage) / 100.0;
    const std::int16_t sample = truncateToSample(mix / kTwoPi * 32767.0 * 6.0 * 0.95);

    // The other waves advance only after the frame is taken.
    s.tonePhase = s.tonePhase + s.phaseStep * kTwoPi;
    if (s.tonePhase > kTwoPi) {
        s.tonePhase -= kTwoPi;
    }

    s.triangleValue =
        std::fma(static_cast<double>(s.triangleDirection * 4.0f), s.phaseStep, s.triangleValue);
    const double magnitude = std::fabs(s.triangleValue);
    if (magnitude > 1.0) {
        s.triangleValue = (2.0 - magnitude) * static_cast<double>(s.triangleDirection);
        s.triangleDirection = -s.triangleDirection;
    }

    s.sawtoothValue = s.phaseStep * 2.0 + s.sawtoothValue;
    if (s.sawtoothValue > 1.0) {
        s.sawtoothValue -= 2.0;
    }

    s.squareValue = s.tonePhase <= kPi ? 1.0 : -1.0;
    return sample;
}

}  // namespace strumwise::tones
