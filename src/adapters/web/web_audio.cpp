#include "adapters/web/web_audio.h"

#include <emscripten/emscripten.h>
#include <soxr.h>

#include <algorithm>

#include "adapters/web/browser.h"
#include "base/level_meter.h"
#include "base/pcm16.h"

namespace strumwise::platform::web {

namespace {

// The page captures into one queue at a time, the listener's.
WebAudioInputQueue* activeQueue = nullptr;
MicrophoneState microphoneState = MicrophoneState::Waiting;

}  // namespace

WebAudioInputQueue::WebAudioInputQueue(const StreamFormat& format, AudioInputCallback callback,
                                       void* userData)
    : format_(format), callback_(callback), userData_(userData) {}

WebAudioInputQueue::~WebAudioInputQueue() {
    stop();
    soxr_delete(resampler_);
}

AudioQueueBuffer* WebAudioInputQueue::allocateBuffer(std::uint32_t byteCapacity) {
    storage_.emplace_back((byteCapacity + 1) / 2);
    auto buffer = std::make_unique<AudioQueueBuffer>();
    buffer->audioData = storage_.back().data();
    buffer->capacity = byteCapacity;
    buffers_.push_back(std::move(buffer));
    return buffers_.back().get();
}

void WebAudioInputQueue::enqueueBuffer(AudioQueueBuffer& buffer) {
    buffer.byteSize = 0;
    enqueued_.push_back(&buffer);
}

void WebAudioInputQueue::start() {
    if (running_) {
        return;
    }
    running_ = true;
    microphone_ = microphoneState;
    activeQueue = this;
    browser::startMicrophone();
}

void WebAudioInputQueue::stop() {
    if (!running_) {
        return;
    }
    running_ = false;
    if (activeQueue == this) {
        activeQueue = nullptr;
    }
    browser::stopMicrophone();
}

void WebAudioInputQueue::currentLevelMeter(LevelMeterState* levels, std::uint32_t channels) const {
    for (std::uint32_t i = 0; i < channels; ++i) {
        levels[i] = meter_;
    }
}

void WebAudioInputQueue::capture(const float* samples, std::uint32_t frames, double sampleRate) {
    if (resampler_ == nullptr || resamplerRate_ != sampleRate) {
        soxr_delete(resampler_);
        // Float out, converted below: soxr would dither a conversion to 16 bits, and the same
        // sound must always give the same samples.
        const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
        const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
        soxr_error_t error = nullptr;
        resampler_ = soxr_create(sampleRate, format_.sampleRate, 1, &error, &io, &quality, nullptr);
        if (error != nullptr) {
            browser::log(error);
            resampler_ = nullptr;
            return;
        }
        resamplerRate_ = sampleRate;
    }
    resampled_.resize(static_cast<std::size_t>(frames * format_.sampleRate / sampleRate) + 16);
    std::size_t used = 0;
    std::size_t produced = 0;
    soxr_process(resampler_, samples, frames, &used, resampled_.data(), resampled_.size(),
                 &produced);
    pcm_.resize(produced);
    std::transform(resampled_.begin(), resampled_.begin() + static_cast<std::ptrdiff_t>(produced),
                   pcm_.begin(), pcm16FromFloat);
    if (tap_ != nullptr && produced > 0) {
        tap_(tapUserData_, pcm_.data(), static_cast<std::uint32_t>(produced));
    }
    append(pcm_.data(), produced);
}

void WebAudioInputQueue::append(const std::int16_t* samples, std::size_t count) {
    while (count > 0 && !enqueued_.empty()) {
        AudioQueueBuffer& buffer = *enqueued_.front();
        auto* data = static_cast<std::int16_t*>(buffer.audioData);
        const std::size_t filled = buffer.byteSize / 2;
        const std::size_t take = std::min<std::size_t>(count, buffer.capacity / 2 - filled);
        std::copy_n(samples, take, data + filled);
        buffer.byteSize += static_cast<std::uint32_t>(take * 2);
        samples += take;
        count -= take;
        if (buffer.byteSize / 2 == buffer.capacity / 2) {
            enqueued_.pop_front();
            meter_ = measureLevel({data, buffer.byteSize / 2});
            callback_(userData_, *this, buffer);
        }
    }
}

void WebAudioInputQueue::deliverCapture(const float* samples, std::uint32_t frames,
                                        double sampleRate) {
    if (activeQueue != nullptr && activeQueue->running_) {
        activeQueue->capture(samples, frames, sampleRate);
    }
}

void WebAudioInputQueue::setMicrophoneState(MicrophoneState state) {
    microphoneState = state;
    if (activeQueue != nullptr) {
        activeQueue->microphone_ = state;
    }
}

std::unique_ptr<AudioInputQueue> WebAudioInputFactory::newInput(const StreamFormat& format,
                                                                AudioInputCallback callback,
                                                                void* userData) {
    return std::make_unique<WebAudioInputQueue>(format, callback, userData);
}

// The output unit: starting and stopping the tone worklet's node.
class WebToneOutput final : public AudioOutputUnit {
  public:
    explicit WebToneOutput(WebToneOutputFactory& factory) : factory_(factory) {}
    ~WebToneOutput() override { stop(); }
    WebToneOutput(const WebToneOutput&) = delete;
    WebToneOutput& operator=(const WebToneOutput&) = delete;
    std::int32_t setStreamFormat(const StreamFormat&) override { return 0; }
    std::int32_t setRenderCallback(RenderCallback, void*) override { return 0; }
    std::int32_t initialize() override { return 0; }
    std::int32_t start() override {
        factory_.playing_ = true;
        factory_.toneChanged();
        return 0;
    }
    std::int32_t stop() override {
        if (factory_.playing_) {
            factory_.playing_ = false;
            browser::stopTone();
        }
        return 0;
    }

  private:
    WebToneOutputFactory& factory_;
};

std::unique_ptr<AudioOutputUnit> WebToneOutputFactory::newOutputUnit() {
    return std::make_unique<WebToneOutput>(*this);
}

void WebToneOutputFactory::toneChanged() {
    if (playing_) {
        const ToneSettings settings = tone_();
        browser::playTone(settings.frequency, settings.waveShape);
    }
}

}  // namespace strumwise::platform::web

extern "C" {

EMSCRIPTEN_KEEPALIVE void strumwise_capture(const float* samples, unsigned frames,
                                            double sampleRate) {
    strumwise::platform::web::WebAudioInputQueue::deliverCapture(samples, frames, sampleRate);
}

EMSCRIPTEN_KEEPALIVE void strumwise_microphone_live(int state) {
    using strumwise::platform::web::MicrophoneState;
    strumwise::platform::web::WebAudioInputQueue::setMicrophoneState(
        state == 1 ? MicrophoneState::Live
                   : (state == 2 ? MicrophoneState::Waiting : MicrophoneState::Failed));
}
}
