#pragma once

#include <cmath>
#include <cstdint>

namespace strumwise::platform::headless {

// Virtual time in whole microseconds since the headless run began. Integers keep the order of
// events exact: 0.1 s ticks and 4096-sample audio blocks never drift against each other.
using Micros = std::int64_t;

inline constexpr Micros kMicrosPerSecond = 1'000'000;

// Seconds as the platform interfaces take them, rounded to the nearest microsecond.
inline Micros secondsToMicros(double seconds) {
    return static_cast<Micros>(std::llround(seconds * static_cast<double>(kMicrosPerSecond)));
}

inline double microsToSeconds(Micros micros) {
    return static_cast<double>(micros) / static_cast<double>(kMicrosPerSecond);
}

}  // namespace strumwise::platform::headless
