#include "tones/tone_fade.h"

#include <algorithm>
#include <cmath>

namespace strumwise::tones {

void ToneFade::setGain(float gain) {
    gainTarget_.store(std::clamp(gain, 0.0f, 1.0f), std::memory_order_relaxed);
}

void ToneFade::apply(std::int16_t* samples, std::uint32_t frames, std::uint32_t channels) {
    const bool sounding = this->sounding();
    const float target = gainTarget_.load(std::memory_order_relaxed);
    constexpr float kRamp = static_cast<float>(kRampFrames);
    constexpr float kGainStep = 1.0f / kRamp;
    for (std::uint32_t frame = 0; frame < frames; ++frame) {
        if (sounding) {
            ramp_ = std::min(ramp_ + 1, kRampFrames);
        } else if (ramp_ > 0) {
            --ramp_;
        }
        // While silent the gain may jump: nothing is heard of it.
        gain_ = ramp_ <= 1 ? target : std::clamp(target, gain_ - kGainStep, gain_ + kGainStep);
        const float scale = static_cast<float>(ramp_) / kRamp * gain_;
        std::int16_t* frameSamples = samples + std::size_t{frame} * channels;
        for (std::uint32_t channel = 0; channel < channels; ++channel) {
            frameSamples[channel] =
                static_cast<std::int16_t>(std::lround(frameSamples[channel] * scale));
        }
    }
    silent_.store(ramp_ == 0, std::memory_order_release);
}

}  // namespace strumwise::tones
