#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace strumwise::testing {

// A plucked string as the microphone hears it: a fundamental with its first overtones, each
// fading faster than the one below, as 16-bit samples. Repeatable, unlike a real pluck.
inline std::vector<std::int16_t> pluckedString(double hertz, double seconds,
                                               double sampleRate = 14039.0, double peak = 0.5) {
    const auto count = static_cast<std::size_t>(seconds * sampleRate);
    std::vector<std::int16_t> samples(count);
    constexpr int kHarmonics = 6;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        double value = 0.0;
        for (int k = 1; k <= kHarmonics; ++k) {
            value += std::sin(2.0 * std::numbers::pi * hertz * k * t) * std::exp(-1.5 * k * t) / k;
        }
        samples[i] = static_cast<std::int16_t>(std::lround(value / 2.5 * peak * 32767.0));
    }
    return samples;
}

}  // namespace strumwise::testing
