#pragma once

#include <cstdint>
#include <span>

namespace strumwise {

// A level meter's reading on a linear 0..1 scale (full scale is 32768): averagePower is the RMS
// of the block it measured, peakPower its largest absolute sample.
struct LevelMeterState {
    float averagePower = 0.0f;
    float peakPower = 0.0f;
};

// The level of one block of signed 16-bit samples on a linear 0..1 scale, full scale 32768:
// averagePower is the RMS of the samples divided by 32768, peakPower the largest absolute sample
// divided by 32768 (so -32768 reads 1.0). An empty block reads 0 for both. Audio input queues
// meter the most recently filled buffer with it.
LevelMeterState measureLevel(std::span<const std::int16_t> samples);

}  // namespace strumwise
