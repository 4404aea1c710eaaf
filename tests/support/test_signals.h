#pragma once

// Test sounds at the capture rate: harmonic-rich tones and plucked strings, far closer to a banjo
// than a pure sine, which the harmonic sum reads at a subharmonic; and their pitch measured back.

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

// A plucked string: the fundamental and its first seven harmonics, each weaker and dying faster
// than the last, like a banjo string. Exact in frequency, unlike a delay-line pluck whose pitch
// is rounded to a whole number of samples.
inline std::vector<std::int16_t> pluckedString(double hertz, double seconds,
                                               double amplitude = 0.5) {
    const auto count = static_cast<std::size_t>(seconds * kCaptureRate);
    std::vector<std::int16_t> samples(count);
    for (std::size_t n = 0; n < count; ++n) {
        const double t = static_cast<double>(n) / kCaptureRate;
        double value = 0.0;
        for (int k = 1; k <= 8; ++k) {
            value += std::exp(-t * (1.0 + 0.5 * k)) / k *
                     std::sin(2.0 * std::numbers::pi * k * hertz * t);
        }
        samples[n] = static_cast<std::int16_t>(std::lround(value * amplitude * 32767.0 / 1.6));
    }
    return samples;
}

// Where a wave crosses zero rising, with a little hysteresis against noise.
inline std::vector<long> risingCrossings(const std::vector<std::int16_t>& samples) {
    std::vector<long> crossings;
    bool below = false;
    for (std::size_t n = 0; n < samples.size(); ++n) {
        if (samples[n] < -500) {
            below = true;
        } else if (below && samples[n] >= 0) {
            below = false;
            crossings.push_back(static_cast<long>(n));
        }
    }
    return crossings;
}

// The frequency of a clean periodic wave from its rising zero crossings, measured between the
// first and the last; 0 with fewer than two crossings.
inline double crossingFrequency(const std::vector<std::int16_t>& samples, double rate) {
    const std::vector<long> crossings = risingCrossings(samples);
    return crossings.size() < 2 ? 0.0
                                : static_cast<double>(crossings.size() - 1) * rate /
                                      static_cast<double>(crossings.back() - crossings.front());
}

}  // namespace strumwise::testing
