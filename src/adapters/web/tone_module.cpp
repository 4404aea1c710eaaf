// The tone worklet's WebAssembly module: the same tone generator as every other edition, built
// on its own so that the audio thread's module holds nothing but the oscillator. The worklet
// tells it the audio context's sample rate once, then calls tone_render for each 128-frame quantum
// with the frequency and wave shape the main thread sent, and reads the interleaved 16-bit stereo
// frames from tone_frames.
#include <cstdint>

#include "tones/oscillator.h"
#include "tones/tone_generator.h"

namespace {

constexpr std::uint32_t kMaxFrames = 1024;

strumwise::tones::ToneGenerator generator;
std::uint32_t frames[kMaxFrames];
// The oscillator steps by the frequency over its own rate; a context running at another rate
// plays the frequency that, stepped at that rate, gives the same number of cycles per second. At
// the oscillator's own rate the factor is exactly 1, so the samples are those of every other
// edition.
float rateFactor = 1.0f;

}  // namespace

extern "C" {

__attribute__((used, visibility("default"))) std::uint32_t* tone_frames() {
    return frames;
}

__attribute__((used, visibility("default"))) void tone_set_output_rate(double sampleRate) {
    if (sampleRate > 0.0) {
        rateFactor = static_cast<float>(strumwise::tones::kToneSampleRate / sampleRate);
    }
}

__attribute__((used, visibility("default"))) void tone_render(std::uint32_t count, float hz,
                                                              std::uint32_t waveShape) {
    if (count > kMaxFrames) {
        count = kMaxFrames;
    }
    // Outside the main thread nobody observes the frequency, so setting it only stores it.
    generator.setToneFrequency(hz * rateFactor);
    generator.setCurTone(waveShape);
    strumwise::platform::AudioBuffer buffer{2, count * 4, frames};
    strumwise::platform::AudioBufferList list{1, &buffer};
    generator.render(count, list);
}
}
