#include "platform/desktop/portaudio_capture.h"

#include <portaudio.h>
#include <soxr.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

#include "base/level_meter.h"
#include "platform/desktop/portaudio_system.h"

namespace strumwise::platform::desktop {

namespace {

// Frames per blocking read; at 14039 Hz one read fills one 8192-byte buffer.
constexpr unsigned long kReadFrames = 4096;

struct SoxrDeleter {
    void operator()(soxr_t resampler) const { soxr_delete(resampler); }
};
using SoxrPtr = std::unique_ptr<std::remove_pointer_t<soxr_t>, SoxrDeleter>;

std::string deviceName(const PaDeviceInfo& info) {
    return std::string("\"") + (info.name != nullptr ? info.name : "?") + "\"";
}

class PortAudioInputQueue : public AudioInputQueue {
  public:
    // Takes an opened, stopped stream. `resampler` converts from the stream's rate to the
    // capture rate; null when the stream already runs at the capture rate.
    PortAudioInputQueue(std::shared_ptr<PortAudioSystem> system, PaStream* stream,
                        SoxrPtr resampler, double streamRate, double captureRate,
                        AudioInputCallback callback, void* userData, Log& log)
        : system_(std::move(system)),
          stream_(stream),
          resampler_(std::move(resampler)),
          callback_(callback),
          userData_(userData),
          log_(log),
          readBuffer_(kReadFrames) {
        if (resampler_) {
            // Room for one read's output at any ratio, plus the filter's slack.
            resampled_.resize(static_cast<std::size_t>(kReadFrames * captureRate / streamRate) +
                              256);
        }
    }

    ~PortAudioInputQueue() override {
        {
            std::lock_guard lock(mutex_);
            quit_ = true;
            running_ = false;
        }
        wake_.notify_all();
        // The capture thread finishes its current read (a fraction of a second) and any
        // callback in progress; after this no callback runs.
        if (thread_.joinable()) {
            thread_.join();
        }
        Pa_CloseStream(stream_);
    }

    AudioQueueBuffer* allocateBuffer(std::uint32_t byteCapacity) override {
        if (byteCapacity < sizeof(std::int16_t)) {
            return nullptr;
        }
        auto slot = std::make_unique<Slot>();
        slot->samples.resize(byteCapacity / sizeof(std::int16_t));
        slot->buffer.audioData = slot->samples.data();
        slot->buffer.capacity = byteCapacity;
        slots_.push_back(std::move(slot));
        return &slots_.back()->buffer;
    }

    void enqueueBuffer(AudioQueueBuffer& buffer) override {
        std::lock_guard lock(mutex_);
        enqueued_.push_back(&buffer);
    }

    void start() override {
        {
            std::lock_guard lock(mutex_);
            running_ = true;
        }
        if (!thread_.joinable()) {
            thread_ = std::thread([this] { captureLoop(); });
        }
        wake_.notify_all();
    }

    void stop() override {
        std::lock_guard lock(mutex_);
        running_ = false;
    }

    std::optional<bool> isRunning() const override { return running_.load(); }

    std::int32_t setLevelMeteringEnabled(bool enabled) override {
        metering_ = enabled;
        return 0;
    }

    void currentLevelMeter(LevelMeterState* levels, std::uint32_t channels) const override {
        const LevelMeterState reading =
            metering_ ? LevelMeterState{average_.load(), peak_.load()} : LevelMeterState{};
        std::fill_n(levels, channels, reading);
    }

  private:
    struct Slot {
        std::vector<std::int16_t> samples;
        AudioQueueBuffer buffer;
    };

    // The capture thread: the only one that starts, reads and stops the stream while it lives.
    void captureLoop() {
        bool streamStarted = false;
        for (;;) {
            {
                std::unique_lock lock(mutex_);
                if (!running_ && streamStarted) {
                    lock.unlock();
                    Pa_StopStream(stream_);
                    streamStarted = false;
                    dropPendingAudio();
                    lock.lock();
                }
                wake_.wait(lock, [this] { return quit_ || running_; });
                if (quit_) {
                    break;
                }
            }
            if (!streamStarted) {
                const PaError status = Pa_StartStream(stream_);
                if (status != paNoError) {
                    fail("Audio capture could not start: " + portAudioErrorText(status));
                    continue;
                }
                streamStarted = true;
            }
            const PaError status = Pa_ReadStream(stream_, readBuffer_.data(), kReadFrames);
            // An overflow means samples were lost before this read; the read itself is good.
            if (status != paNoError && status != paInputOverflowed) {
                fail("Audio capture stopped: " + portAudioErrorText(status));
                continue;
            }
            append(readBuffer_);
            deliverFilledBuffers();
        }
        if (streamStarted) {
            Pa_StopStream(stream_);
        }
    }

    void fail(const std::string& message) {
        log_.write(message);
        std::lock_guard lock(mutex_);
        running_ = false;
    }

    void append(std::span<const std::int16_t> captured) {
        if (!resampler_) {
            pending_.insert(pending_.end(), captured.begin(), captured.end());
            return;
        }
        std::size_t used = 0;
        std::size_t produced = 0;
        soxr_process(resampler_.get(), captured.data(), captured.size(), &used, resampled_.data(),
                     resampled_.size(), &produced);
        pending_.insert(pending_.end(), resampled_.begin(),
                        resampled_.begin() + static_cast<std::ptrdiff_t>(produced));
    }

    void dropPendingAudio() {
        pending_.clear();
        if (resampler_) {
            soxr_clear(resampler_.get());
        }
    }

    // Hands out whole buffers while enough audio is pending. With no buffer enqueued, the
    // audio is dropped: a buffer the callback keeps is not refilled.
    void deliverFilledBuffers() {
        for (;;) {
            AudioQueueBuffer* buffer = nullptr;
            {
                std::lock_guard lock(mutex_);
                if (!enqueued_.empty()) {
                    buffer = enqueued_.front();
                }
            }
            const std::size_t wanted =
                buffer != nullptr ? buffer->capacity / sizeof(std::int16_t) : kReadFrames;
            if (pending_.size() < wanted) {
                return;
            }
            if (buffer == nullptr) {
                pending_.erase(pending_.begin(),
                               pending_.begin() + static_cast<std::ptrdiff_t>(wanted));
                continue;
            }
            {
                std::lock_guard lock(mutex_);
                // A stop() since the read keeps the buffer enqueued and unfilled.
                if (!running_) {
                    return;
                }
                enqueued_.pop_front();
            }
            const std::span<const std::int16_t> block(pending_.data(), wanted);
            std::memcpy(buffer->audioData, block.data(), block.size_bytes());
            buffer->byteSize = static_cast<std::uint32_t>(block.size_bytes());
            const LevelMeterState level = measureLevel(block);
            average_ = level.averagePower;
            peak_ = level.peakPower;
            pending_.erase(pending_.begin(),
                           pending_.begin() + static_cast<std::ptrdiff_t>(wanted));
            callback_(userData_, *this, *buffer);
        }
    }

    std::shared_ptr<PortAudioSystem> system_;  // keeps PortAudio alive while the stream exists
    PaStream* stream_;
    SoxrPtr resampler_;
    AudioInputCallback callback_;
    void* userData_;
    Log& log_;

    // Main thread only.
    std::vector<std::unique_ptr<Slot>> slots_;
    std::thread thread_;

    // Shared between the main and capture threads.
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<AudioQueueBuffer*> enqueued_;
    bool quit_ = false;
    std::atomic<bool> running_ = false;  // written under mutex_, read anywhere
    std::atomic<bool> metering_ = false;
    std::atomic<float> average_ = 0.0f;
    std::atomic<float> peak_ = 0.0f;

    // Capture thread only.
    std::vector<std::int16_t> readBuffer_;
    std::vector<std::int16_t> resampled_;
    std::vector<std::int16_t> pending_;
};

}  // namespace

std::unique_ptr<AudioInputQueue> PortAudioInputQueueFactory::newInput(const StreamFormat& format,
                                                                      AudioInputCallback callback,
                                                                      void* userData) {
    const bool signed16Mono = format.formatID == kFormatLinearPCM && format.bitsPerChannel == 16 &&
                              format.channelsPerFrame == 1 &&
                              (format.formatFlags & kFormatFlagIsSignedInteger) != 0;
    if (!signed16Mono || !(format.sampleRate > 0.0)) {
        log_.write(
            "Audio capture takes signed 16-bit mono linear PCM only; the tuner hears nothing");
        return nullptr;
    }

    std::shared_ptr<PortAudioSystem> system = PortAudioSystem::acquire();
    if (!system->ok()) {
        log_.write("No audio input, the tuner hears nothing: " + system->error());
        return nullptr;
    }
    const PaDeviceIndex device = options_.device.value_or(Pa_GetDefaultInputDevice());
    if (device == paNoDevice) {
        log_.write("No audio input device, the tuner hears nothing");
        return nullptr;
    }
    const PaDeviceInfo* info =
        device >= 0 && device < Pa_GetDeviceCount() ? Pa_GetDeviceInfo(device) : nullptr;
    if (info == nullptr) {
        log_.write("Audio input device " + std::to_string(device) +
                   " does not exist, the tuner hears nothing");
        return nullptr;
    }
    if (info->maxInputChannels < 1) {
        log_.write("Audio device " + deviceName(*info) +
                   " has no input channels, the tuner hears nothing");
        return nullptr;
    }

    PaStreamParameters parameters{};
    parameters.device = device;
    parameters.channelCount = 1;
    parameters.sampleFormat = paInt16;
    // Blocking reads of a whole buffer gain nothing from low latency.
    parameters.suggestedLatency = info->defaultHighInputLatency;

    const bool direct =
        !options_.alwaysResample &&
        Pa_IsFormatSupported(&parameters, nullptr, format.sampleRate) == paFormatIsSupported;
    const double streamRate = direct ? format.sampleRate : info->defaultSampleRate;

    PaStream* stream = nullptr;
    const PaError status = Pa_OpenStream(&stream, &parameters, nullptr, streamRate, kReadFrames,
                                         paClipOff, nullptr, nullptr);
    if (status != paNoError) {
        log_.write("Audio input " + deviceName(*info) +
                   " could not be opened, the tuner hears nothing: " + portAudioErrorText(status));
        return nullptr;
    }

    SoxrPtr resampler;
    if (!direct) {
        const soxr_io_spec_t io = soxr_io_spec(SOXR_INT16_I, SOXR_INT16_I);
        const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
        soxr_error_t error = nullptr;
        resampler.reset(
            soxr_create(streamRate, format.sampleRate, 1, &error, &io, &quality, nullptr));
        if (error != nullptr) {
            Pa_CloseStream(stream);
            log_.write(std::string("Audio input cannot be resampled, the tuner hears nothing: ") +
                       error);
            return nullptr;
        }
    }
    return std::make_unique<PortAudioInputQueue>(std::move(system), stream, std::move(resampler),
                                                 streamRate, format.sampleRate, callback, userData,
                                                 log_);
}

}  // namespace strumwise::platform::desktop
