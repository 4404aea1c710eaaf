#include "tones/tone_generator.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace strumwise::tones {

void ToneGenerator::setToneFrequency(float hz) {
    toneFrequency_.store(hz, std::memory_order_relaxed);
    if (frequencyObserver_) {
        frequencyObserver_(hz);
    }
}

void ToneGenerator::setFrequencyObserver(std::function<void(float hz)> observer) {
    frequencyObserver_ = std::move(observer);
}

std::int32_t ToneGenerator::render(std::uint32_t numberFrames, platform::AudioBufferList& ioData) {
    constexpr std::uint32_t kBytesPerFrame = 4;
    for (std::uint32_t b = 0; b < ioData.numberBuffers; ++b) {
        platform::AudioBuffer& buffer = ioData.buffers[b];
        if (buffer.data == nullptr) {
            continue;
        }
        // Never write past the end of a buffer, whatever frame count the caller asks for.
        const std::uint32_t frames = std::min(numberFrames, buffer.dataByteSize / kBytesPerFrame);
        auto* out = static_cast<unsigned char*>(buffer.data);
        for (std::uint32_t i = 0; i < frames; ++i) {
            // The frequency and the selector are read afresh every frame, so a change from the
            // main thread is heard from the next frame on.
            const std::int16_t sample =
                oscillator_.nextSample(toneFrequency_.load(std::memory_order_relaxed),
                                       curTone_.load(std::memory_order_relaxed));
            const std::int16_t frame[2] = {sample, sample};
            std::memcpy(out + static_cast<std::size_t>(i) * kBytesPerFrame, frame, kBytesPerFrame);
        }
    }
    return 0;
}

std::int32_t ToneGenerator::renderCallback(void* context, std::uint32_t numberFrames,
                                           platform::AudioBufferList& ioData) {
    return static_cast<ToneGenerator*>(context)->render(numberFrames, ioData);
}

}  // namespace strumwise::tones
