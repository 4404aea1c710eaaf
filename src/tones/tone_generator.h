#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "platform/audio_output.h"
#include "tones/oscillator.h"

namespace strumwise::tones {

// The process's reference tone: the frequency and wave selector the main thread chooses, and the
// oscillator the audio render thread runs. The frequency and `curTone` are the only values the
// two threads share; they are atomics read once per frame with relaxed ordering, so a change is
// heard from the next frame without a lock. The oscillator belongs to the render thread alone.
class ToneGenerator {
  public:
    static constexpr float kInitialFrequency = 440.0f;

    ToneGenerator() = default;
    ToneGenerator(const ToneGenerator&) = delete;
    ToneGenerator& operator=(const ToneGenerator&) = delete;

    // Main thread. Stores the tone frequency in Hz and then tells the observer, if any.
    void setToneFrequency(float hz);
    float toneFrequency() const { return toneFrequency_.load(std::memory_order_relaxed); }

    // The wave selector (see the kWave constants). Any thread.
    void setCurTone(std::uint64_t waveShape) {
        curTone_.store(waveShape, std::memory_order_relaxed);
    }
    std::uint64_t curTone() const { return curTone_.load(std::memory_order_relaxed); }

    // Main thread. Called with every frequency stored through setToneFrequency, on the main
    // thread and never from the render path; an empty function removes the observer.
    void setFrequencyObserver(std::function<void(float hz)> observer);

    // Render thread. Fills `numberFrames` frames of every buffer of `ioData`, in order, each
    // frame a 32-bit word holding the same signed 16-bit sample in both halves (stereo,
    // interleaved). A buffer too small for `numberFrames` frames is filled only as far as it
    // reaches. Never allocates, locks, logs or blocks. Answers 0.
    std::int32_t render(std::uint32_t numberFrames, platform::AudioBufferList& ioData);

    // The same as a platform render callback; `context` is the ToneGenerator.
    static std::int32_t renderCallback(void* context, std::uint32_t numberFrames,
                                       platform::AudioBufferList& ioData);

  private:
    std::atomic<float> toneFrequency_{kInitialFrequency};
    std::atomic<std::uint64_t> curTone_{kWaveSine};
    Oscillator oscillator_;
    std::function<void(float)> frequencyObserver_;

    static_assert(std::atomic<float>::is_always_lock_free);
    static_assert(std::atomic<std::uint64_t>::is_always_lock_free);
};

}  // namespace strumwise::tones
