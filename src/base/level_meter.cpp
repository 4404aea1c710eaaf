#include "base/level_meter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace strumwise {

namespace {

constexpr double kFullScale = 32768.0;

}  // namespace

LevelMeterState measureLevel(std::span<const std::int16_t> samples) {
    if (samples.empty()) {
        return {};
    }
    double sumOfSquares = 0.0;
    int peak = 0;
    for (const std::int16_t sample : samples) {
        const double value = sample;
        sumOfSquares += value * value;
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    const double rms = std::sqrt(sumOfSquares / static_cast<double>(samples.size()));
    return {static_cast<float>(rms / kFullScale), static_cast<float>(peak / kFullScale)};
}

}  // namespace strumwise
