#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace strumwise::testing {

// A plucked string at 14039 Hz: the fundamental and its first seven harmonics, each weaker and
// dying faster than the last, like a banjo string. Exact in frequency, unlike a delay-line
// pluck whose pitch is rounded to a whole number of samples.
inline std::vector<std::int16_t> pluckedString(double hertz, double seconds,
                                               double amplitude = 0.5) {
    constexpr double kRate = 14039.0;
    constexpr double kPi = 3.14159265358979323846;
    const auto count = static_cast<std::size_t>(seconds * kRate);
    std::vector<std::int16_t> samples(count);
    for (std::size_t n = 0; n < count; ++n) {
        const double t = static_cast<double>(n) / kRate;
        double value = 0.0;
        for (int k = 1; k <= 8; ++k) {
            value += std::exp(-t * (1.0 + 0.5 * k)) / k * std::sin(2.0 * kPi * k * hertz * t);
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
