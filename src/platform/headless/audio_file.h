#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace strumwise::platform::headless {

// An audio file decoded for the microphone path: the first channel, resampled to the requested
// rate, as signed 16-bit samples.
struct DecodedAudio {
    std::vector<std::int16_t> samples;
    double sampleRate = 0.0;
    std::string error;  // empty on success; otherwise one line that says what went wrong
};

// Reads any file libsndfile reads; mono, or the first channel of a multichannel file; resampled
// with libsoxr when the file's rate differs from `sampleRate`.
DecodedAudio readAudioFile(const std::string& path, double sampleRate);

}  // namespace strumwise::platform::headless
