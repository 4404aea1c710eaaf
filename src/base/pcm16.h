#pragma once

#include <cstdint>

namespace strumwise {

// Float samples are on the sound-file scale: full scale is -1..1, and 16-bit audio reads as
// sample / 32768, so that pcm16FromFloat(sample / 32768.0f) == sample for every 16-bit sample.

// A float sample as a signed 16-bit one: rounded to the nearest step, clipped to -32768..32767,
// and 0 for NaN. A converted value is always in range, so no float ever reaches an undefined
// conversion, whatever a file holds.
std::int16_t pcm16FromFloat(float sample);

// A float sample made safe to filter: NaN becomes 0 and everything else is clipped to full
// scale, as a 16-bit capture would clip it. One NaN or infinity fed to a resampler's filter
// would otherwise spoil every output sample the filter reaches.
float clipToFullScale(float sample);

}  // namespace strumwise
