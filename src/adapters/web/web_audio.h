#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "platform/audio_input.h"
#include "platform/audio_output.h"

struct soxr;

namespace strumwise::platform::web {

// The microphone: getUserMedia with the voice processing off, and a capture worklet that hands
// each 128-frame block to the main thread, where it arrives through deliverCapture. Blocks are
// resampled from the context's rate with libsoxr, as on the desktop, and fill the enqueued
// buffers in order; each full buffer goes to the callback at once, on the main thread. Once the
// page has asked for the microphone and failed (permission refused, no device) or lost it, the
// queue reports that it is reconnecting, so the screen says "No microphone"; before it was asked
// for (the page waits for a first tap) there is nothing to complain of.
enum class MicrophoneState { Waiting, Live, Failed };

class WebAudioInputQueue final : public AudioInputQueue {
  public:
    WebAudioInputQueue(const StreamFormat& format, AudioInputCallback callback, void* userData);
    ~WebAudioInputQueue() override;
    WebAudioInputQueue(const WebAudioInputQueue&) = delete;
    WebAudioInputQueue& operator=(const WebAudioInputQueue&) = delete;

    AudioQueueBuffer* allocateBuffer(std::uint32_t byteCapacity) override;
    void enqueueBuffer(AudioQueueBuffer& buffer) override;
    void start() override;
    void stop() override;
    std::optional<bool> isRunning() const override { return running_; }
    std::int32_t setLevelMeteringEnabled(bool) override { return 0; }
    void currentLevelMeter(LevelMeterState* levels, std::uint32_t channels) const override;
    bool reconnecting() const override { return microphone_ == MicrophoneState::Failed; }
    // Each piece the page delivers (some 85 ms of sound) goes to the tap as it comes.
    bool setTap(AudioTapCallback tap, void* userData) override {
        tap_ = tap;
        tapUserData_ = userData;
        return true;
    }

    // The page's capture path: `frames` mono samples at `sampleRate` Hz, or a change of the
    // microphone's state.
    static void deliverCapture(const float* samples, std::uint32_t frames, double sampleRate);
    static void setMicrophoneState(MicrophoneState state);

  private:
    void capture(const float* samples, std::uint32_t frames, double sampleRate);
    void append(const std::int16_t* samples, std::size_t count);

    StreamFormat format_;
    AudioInputCallback callback_;
    AudioTapCallback tap_ = nullptr;
    void* tapUserData_ = nullptr;
    void* userData_;
    std::vector<std::unique_ptr<AudioQueueBuffer>> buffers_;
    std::vector<std::vector<std::int16_t>> storage_;
    std::deque<AudioQueueBuffer*> enqueued_;
    soxr* resampler_ = nullptr;
    double resamplerRate_ = 0.0;
    std::vector<float> resampled_;
    std::vector<std::int16_t> pcm_;
    LevelMeterState meter_;
    bool running_ = false;
    MicrophoneState microphone_ = MicrophoneState::Waiting;
};

class WebAudioInputFactory final : public AudioInputQueueFactory {
  public:
    std::unique_ptr<AudioInputQueue> newInput(const StreamFormat& format,
                                              AudioInputCallback callback, void* userData) override;
};

// The reference tone. The oscillator runs on the audio thread, in the tone worklet's own small
// WebAssembly module, so the render callback given here is not called in this module: what the
// worklet needs is the tone's frequency and wave shape, which `tone` answers when it starts and
// whenever the frequency changes.
class WebToneOutputFactory final : public AudioOutputUnitFactory {
  public:
    struct ToneSettings {
        float frequency;
        unsigned waveShape;
    };
    explicit WebToneOutputFactory(std::function<ToneSettings()> tone) : tone_(std::move(tone)) {}
    std::unique_ptr<AudioOutputUnit> newOutputUnit() override;
    // The frequency changed: a playing tone follows it.
    void toneChanged();

  private:
    std::function<ToneSettings()> tone_;
    bool playing_ = false;
    friend class WebToneOutput;
};

}  // namespace strumwise::platform::web
