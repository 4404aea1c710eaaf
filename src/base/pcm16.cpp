#include "base/pcm16.h"

#include <algorithm>
#include <cmath>

namespace strumwise {

std::int16_t pcm16FromFloat(float sample) {
    if (std::isnan(sample)) {
        return 0;
    }
    const double scaled = std::round(static_cast<double>(sample) * 32768.0);
    return static_cast<std::int16_t>(std::clamp(scaled, -32768.0, 32767.0));
}

float clipToFullScale(float sample) {
    if (std::isnan(sample)) {
        return 0.0f;
    }
    return std::clamp(sample, -1.0f, 1.0f);
}

}  // namespace strumwise
