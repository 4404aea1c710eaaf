#pragma once

// Test sounds at the capture rate: harmonic-rich tones, far closer to a banjo than a pure sine,
// which the harmonic sum reads at a subharmonic.

#include <cmath>
#include <cstdint>
#include <numbers>
#include <span>
#include <vector>

namespace strumwise::testing {

inline constexpr double kCaptureRate = 14039.0;

// The centre frequency of bin k of the 32768-point transform at the capture rate.
inline double binFrequency(std::uint32_t bin) {
    return kCaptureRate * bin / 32768.0;
}

// A tone of 4096 samples with the given harmonic weights; by default a fundamental with its 2nd
// and 3rd harmonics at half and a third of its amplitude.
inline std::vector<std::int16_t> tone(double frequency, double amplitude = 8000.0,
                                      std::vector<double> weights = {1.0, 0.5, 1.0 / 3.0},
                                      std::uint32_t count = 4096) {
    std::vector<std::int16_t> samples(count);
    for (std::uint32_t n = 0; n < count; ++n) {
        const double phase = 2.0 * std::numbers::pi * frequency * n / kCaptureRate;
        double value = 0.0, harmonic = 0.0;
        for (const double weight : weights) {
            value += weight * std::sin(++harmonic * phase);
        }
        samples[n] = static_cast<std::int16_t>(std::lround(amplitude * value));
    }
    return samples;
}

inline std::span<const std::uint8_t> asBytes(std::span<const std::int16_t> samples) {
    return {reinterpret_cast<const std::uint8_t*>(samples.data()), samples.size_bytes()};
}

}  // namespace strumwise::testing
