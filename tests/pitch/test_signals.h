#pragma once

// Test sounds at the capture rate: harmonic-rich tones and a plucked string, both far closer to
// a banjo than a pure sine, which the harmonic sum reads at a subharmonic.

#include <cmath>
#include <cstdint>
#include <numbers>
#include <span>
#include <vector>

namespace strumwise::testing {

inline constexpr double kCaptureRate = 14039.0;
inline constexpr std::uint32_t kBlockSamples = 4096;

// The centre frequency of bin k of the 32768-point transform at the capture rate.
inline double binFrequency(std::uint32_t bin) {
    return kCaptureRate * bin / 32768.0;
}

// A fundamental with its 2nd and 3rd harmonics at half and a third of its amplitude.
inline std::vector<std::int16_t> harmonicTone(double frequency, std::uint32_t count = kBlockSamples,
                                              double amplitude = 8000.0) {
    std::vector<std::int16_t> samples(count);
    for (std::uint32_t n = 0; n < count; ++n) {
        const double phase = 2.0 * std::numbers::pi * frequency * n / kCaptureRate;
        const double value = amplitude * (std::sin(phase) + 0.5 * std::sin(2.0 * phase) +
                                          (1.0 / 3.0) * std::sin(3.0 * phase));
        samples[n] = static_cast<std::int16_t>(std::lround(value));
    }
    return samples;
}

inline std::vector<std::int16_t> pureSine(double frequency, std::uint32_t count = kBlockSamples,
                                          double amplitude = 10000.0) {
    std::vector<std::int16_t> samples(count);
    for (std::uint32_t n = 0; n < count; ++n) {
        samples[n] = static_cast<std::int16_t>(std::lround(
            amplitude * std::sin(2.0 * std::numbers::pi * frequency * n / kCaptureRate)));
    }
    return samples;
}

// A plucked string (Karplus-Strong): a burst of repeatable noise in a delay line of `period`
// samples, averaged on each pass. Each output sample averages the samples one period and one period
// less one sample back, so it sounds at kCaptureRate / (period - 0.5) Hz.
inline std::vector<std::int16_t> pluckedString(std::uint32_t period,
                                               std::uint32_t count = kBlockSamples,
                                               std::uint32_t seed = 12345) {
    std::vector<double> line(period);
    for (double& value : line) {
        seed = seed * 1664525u + 1013904223u;
        value = ((seed >> 8) / 16777216.0 - 0.5) * 2.0;
    }
    // A microphone passes no DC, so neither does the burst.
    double mean = 0.0;
    for (const double value : line) {
        mean += value / period;
    }
    for (double& value : line) {
        value -= mean;
    }
    std::vector<std::int16_t> samples(count);
    std::uint32_t index = 0;
    for (std::uint32_t n = 0; n < count; ++n) {
        const std::uint32_t next = (index + 1) % period;
        const double out = line[index];
        line[index] = 0.996 * 0.5 * (line[index] + line[next]);
        index = next;
        samples[n] = static_cast<std::int16_t>(std::lround(out * 12000.0));
    }
    return samples;
}

inline std::uint32_t byteLength(std::span<const std::int16_t> samples) {
    return static_cast<std::uint32_t>(samples.size_bytes());
}

inline std::span<const std::uint8_t> asBytes(std::span<const std::int16_t> samples) {
    return {reinterpret_cast<const std::uint8_t*>(samples.data()), samples.size_bytes()};
}

}  // namespace strumwise::testing
