#pragma once

#include <cstdint>
#include <span>

#include "platform/audio_input.h"

namespace strumwise {

// The level of one block of signed 16-bit samples on a linear 0..1 scale, full scale 32768:
// averagePower is the RMS of the samples divided by 32768, peakPower the largest absolute sample
// divided by 32768 (so -32768 reads 1.0). An empty block reads 0 for both. Audio input queues
// meter the most recently filled buffer with it.
platform::LevelMeterState measureLevel(std::span<const std::int16_t> samples);

}  // namespace strumwise
