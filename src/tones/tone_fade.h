#pragma once

#include <atomic>
#include <cstdint>

namespace strumwise::tones {

// Shapes the reference tone on its way to the speakers: the player's volume, and a short linear
// ramp when the tone starts and when it stops, so that neither edge clicks. It is a stage after
// the oscillator, never inside it: the tone as rendered, and as `strumwise tone` writes it, stays
// sample-exact; only what the desktop plays is shaped.
//
// The main thread says whether the tone should sound and at what gain; both are atomics read by
// the render thread once per buffer. The ramp position and the gain being played are the render
// thread's own. Nothing here allocates, locks, logs or blocks.
class ToneFade {
  public:
    // 5 ms at 44100 Hz: short enough to feel instant, long enough that the edge makes no click.
    static constexpr std::uint32_t kRampFrames = 220;

    // Any thread. The gain the tone plays at, 0..1 (clamped). A change while the tone sounds
    // glides there at most 1/kRampFrames per frame, so moving the volume does not click either.
    void setGain(float gain);
    float gain() const { return gainTarget_.load(std::memory_order_relaxed); }

    // Main thread. true ramps the tone in; false ramps it out, after which the oscillator rests.
    void setSounding(bool sounding) { sounding_.store(sounding, std::memory_order_release); }
    bool sounding() const { return sounding_.load(std::memory_order_acquire); }
    // Whether a stopped tone has ramped all the way out: nothing more will be heard.
    bool faded() const { return !sounding() && silent_.load(std::memory_order_acquire); }

    // Render thread. Whether the next buffer needs the oscillator: false once the tone has faded,
    // so that a stopped tone leaves the oscillator where it was, as a stopped unit does.
    bool wantsFrames() const { return sounding() || ramp_ > 0; }
    // Render thread. Shapes `frames` frames of `channels` interleaved samples in place.
    void apply(std::int16_t* samples, std::uint32_t frames, std::uint32_t channels);

  private:
    std::atomic<float> gainTarget_{1.0f};
    std::atomic<bool> sounding_{false};
    std::atomic<bool> silent_{true};

    // Render thread only: frames into the ramp (0 silent, kRampFrames full), and the gain in use.
    std::uint32_t ramp_ = 0;
    float gain_ = 1.0f;

    static_assert(std::atomic<float>::is_always_lock_free);
    static_assert(std::atomic<bool>::is_always_lock_free);
};

}  // namespace strumwise::tones
