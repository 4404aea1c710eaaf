#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace strumwise::tones {

// The longest tone written to a file. An hour of 16-bit stereo at 44.1 kHz is 635 MB, well
// inside the 4 GiB whose size a WAV header can state; a longer recording would wrap it.
inline constexpr double kMaxToneFileSeconds = 3600.0;

// Whether a tone file may last `seconds`: more than 0 and at most kMaxToneFileSeconds.
constexpr bool isToneFileLength(double seconds) {
    return seconds > 0.0 && seconds <= kMaxToneFileSeconds;
}

// The frames of a tone `seconds` long (a valid tone file length) at `sampleRate`, to the nearest
// frame; the shortest tone is one frame, never an empty file.
inline std::uint64_t toneFrames(double seconds, double sampleRate) {
    return std::max<std::uint64_t>(1,
                                   static_cast<std::uint64_t>(std::llround(seconds * sampleRate)));
}

}  // namespace strumwise::tones
