#include "adapters/desktop/audio/portaudio_capture.h"

#include <portaudio.h>
#include <soxr.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

#include "adapters/desktop/audio/portaudio_endpoint.h"
#include "adapters/desktop/audio/portaudio_system.h"
#include "base/level_meter.h"

namespace strumwise::platform::desktop {

namespace {

using SteadyClock = std::chrono::steady_clock;

// Frames per blocking read; at 14039 Hz one read fills one 8192-byte buffer.
constexpr unsigned long kReadFrames = 4096;
// A PortAudio call of the capture that has not returned by then has lost its server. A read
// waits for 0.3 s of sound, but a busy sound server may hold a healthy stream back for a few
// seconds, so reads are given longer than opening, starting and stopping.
constexpr auto kStallLimit = std::chrono::seconds(2);
constexpr auto kReadStallLimit = std::chrono::seconds(6);
// How often a lost input is opened again.
constexpr auto kRetryInterval = std::chrono::seconds(2);
// How often the supervisor looks at its reader.
constexpr auto kSuperviseInterval = std::chrono::milliseconds(100);
// Readers left stuck inside PortAudio, beyond which no new one is started: a server that
// hangs every call must not cost a thread every 2 s.
constexpr int kMaxLiveReaders = 4;
// How long a disposed queue waits for its reader to close the stream, so that the device is
// free for the next queue; a reader stuck longer is left behind.
constexpr auto kCloseWait = std::chrono::milliseconds(500);
// Blocking reads of a whole buffer gain nothing from low latency; a generous buffer rides out a
// capture thread held up by a busy machine.
constexpr double kInputLatency = 0.2;

struct SoxrDeleter {
    void operator()(soxr_t resampler) const { soxr_delete(resampler); }
};
using SoxrPtr = std::unique_ptr<std::remove_pointer_t<soxr_t>, SoxrDeleter>;

// What a queue shares with its supervisor and its readers. Readers may outlive the queue (one
// stuck inside PortAudio is left behind), so they hold this, and reach the queue's buffers and
// the input callback only through the delivery gate.
struct CaptureCore {
    CaptureCore(std::shared_ptr<PortAudioSystem> portAudio, AudioDeviceTarget inputDevice,
                double rate, bool resampleAlways, AudioInputCallback inputCallback, void* data)
        : system(std::move(portAudio)),
          device(std::move(inputDevice)),
          captureRate(rate),
          alwaysResample(resampleAlways),
          callback(inputCallback),
          userData(data) {}

    const std::shared_ptr<PortAudioSystem> system;  // keeps PortAudio alive for late readers
    const AudioDeviceTarget device;
    const double captureRate;
    const bool alwaysResample;
    const AudioInputCallback callback;
    void* const userData;

    std::mutex mutex;
    std::condition_variable wake;
    std::deque<AudioQueueBuffer*> enqueued;
    bool quit = false;
    std::atomic<bool> running = false;  // written under mutex, read anywhere
    std::atomic<bool> reconnecting = false;
    std::atomic<bool> metering = false;
    std::atomic<float> average = 0.0f;
    std::atomic<float> peak = 0.0f;
    std::atomic<int> liveReaders = 0;

    // The input callback runs under this lock; the queue's destructor closes the gate under it,
    // so no callback is running or starts once the queue has gone.
    std::mutex deliveryMutex;
    AudioInputQueue* owner = nullptr;  // null once the queue has gone
    // Handed each piece of audio as it is read; set under deliveryMutex.
    AudioTapCallback tap = nullptr;
    void* tapUserData = nullptr;
};

// What the supervisor sees of one reader.
struct ReaderState {
    std::atomic<std::int64_t> inCallSince = 0;  // steady-clock ticks; 0 outside PortAudio
    std::atomic<const char*> call = "";         // the PortAudio call in progress
    std::atomic<SteadyClock::rep> limit = 0;    // and how long it may take
    std::atomic<bool> abandoned = false;
    std::atomic<bool> failed = false;
    std::atomic<bool> captured = false;
    std::atomic<bool> done = false;
    std::mutex errorMutex;
    std::string error;

    bool stalled(SteadyClock::time_point now) const {
        const std::int64_t since = inCallSince.load();
        return since != 0 && now - SteadyClock::time_point(SteadyClock::duration(since)) >
                                 SteadyClock::duration(limit.load());
    }
};

// One connection to the input device, on a thread of its own: opens the stream, starts it,
// reads it while the queue runs, fills the oldest enqueued buffer and hands it to the input
// callback. Any failure ends the reader; the supervisor starts the next one.
class CaptureReader {
  public:
    CaptureReader(std::shared_ptr<CaptureCore> core, std::shared_ptr<ReaderState> state)
        : core_(std::move(core)), state_(std::move(state)), readBuffer_(kReadFrames) {}

    void run() {
        if (open()) {
            capture();
        }
        if (stream_ != nullptr) {
            if (started_) {
                Pa_StopStream(stream_);
            }
            Pa_CloseStream(stream_);
        }
        state_->done = true;
        --core_->liveReaders;
    }

  private:
    // Runs one PortAudio call with the supervisor watching how long it takes.
    template <typename Call>
    PaError watched(const char* name, Call call,
                    SteadyClock::duration limit = SteadyClock::duration(kStallLimit)) {
        state_->call = name;
        state_->limit = limit.count();
        state_->inCallSince = SteadyClock::now().time_since_epoch().count();
        const PaError status = call();
        state_->inCallSince = 0;
        return status;
    }

    void fail(std::string message) {
        {
            std::lock_guard lock(state_->errorMutex);
            state_->error = std::move(message);
        }
        state_->failed = true;
    }

    bool open() {
        // Resolved afresh at every attempt, so that a server that starts late is found. Asking
        // the server may wait on it, like the calls below.
        std::optional<PortAudioEndpoint> resolved;
        watched("for its device list", [&] {
            resolved.emplace(core_->device, true, 1, kInputLatency);
            return paNoError;
        });
        const PortAudioEndpoint& device = *resolved;
        if (!device.ok()) {
            fail("No audio input, the tuner hears nothing: " + device.error());
            return false;
        }
        const PaStreamParameters& parameters = *device.parameters();
        const bool direct =
            !core_->alwaysResample &&
            watched("Pa_IsFormatSupported", [&] {
                return Pa_IsFormatSupported(&parameters, nullptr, core_->captureRate);
            }) == paFormatIsSupported;
        const double streamRate = direct ? core_->captureRate : device.defaultSampleRate();
        const PaError status = watched("Pa_OpenStream", [&] {
            return Pa_OpenStream(&stream_, &parameters, nullptr, streamRate, kReadFrames, paClipOff,
                                 nullptr, nullptr);
        });
        if (status != paNoError) {
            stream_ = nullptr;
            fail("Audio input " + device.shownName() +
                 " could not be opened, the tuner hears nothing: " + portAudioErrorText(status));
            return false;
        }
        if (!direct) {
            const soxr_io_spec_t io = soxr_io_spec(SOXR_INT16_I, SOXR_INT16_I);
            const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
            soxr_error_t error = nullptr;
            resampler_.reset(
                soxr_create(streamRate, core_->captureRate, 1, &error, &io, &quality, nullptr));
            if (error != nullptr) {
                fail(std::string("Audio input cannot be resampled, the tuner hears nothing: ") +
                     error);
                return false;
            }
            // Room for one read's output at any ratio, plus the filter's slack.
            resampled_.resize(
                static_cast<std::size_t>(kReadFrames * core_->captureRate / streamRate) + 256);
        }
        return true;
    }

    void capture() {
        std::unique_lock lock(core_->mutex);
        for (;;) {
            if (!core_->running && started_) {
                lock.unlock();
                watched("Pa_StopStream", [&] { return Pa_StopStream(stream_); });
                started_ = false;
                dropPendingAudio();
                lock.lock();
            }
            core_->wake.wait(lock,
                             [this] { return core_->quit || state_->abandoned || core_->running; });
            if (core_->quit || state_->abandoned) {
                return;
            }
            lock.unlock();
            if (!started_) {
                const PaError status =
                    watched("Pa_StartStream", [&] { return Pa_StartStream(stream_); });
                if (status != paNoError) {
                    fail("Audio capture could not start: " + portAudioErrorText(status));
                    return;
                }
                started_ = true;
            }
            const PaError status = watched(
                "Pa_ReadStream",
                [&] { return Pa_ReadStream(stream_, readBuffer_.data(), kReadFrames); },
                kReadStallLimit);
            // An overflow means samples were lost before this read; the read itself is good.
            if (status != paNoError && status != paInputOverflowed) {
                // ALSA's plug-in has no better word for a sound server that went away.
                fail("Audio capture stopped: " +
                     (status == paUnanticipatedHostError
                          ? std::string("the sound server stopped sending sound")
                          : portAudioErrorText(status)));
                return;
            }
            state_->captured = true;
            tapNewAudio(append(readBuffer_));
            deliverFilledBuffers();
            lock.lock();
        }
    }

    // Adds a read's audio, at the capture rate, to what waits for a buffer; answers how many
    // samples that was.
    std::size_t append(std::span<const std::int16_t> captured) {
        if (!resampler_) {
            pending_.insert(pending_.end(), captured.begin(), captured.end());
            return captured.size();
        }
        std::size_t used = 0;
        std::size_t produced = 0;
        soxr_process(resampler_.get(), captured.data(), captured.size(), &used, resampled_.data(),
                     resampled_.size(), &produced);
        pending_.insert(pending_.end(), resampled_.begin(),
                        resampled_.begin() + static_cast<std::ptrdiff_t>(produced));
        return produced;
    }

    // Hands the audio a read has just added to the tap, if the queue has one and still runs:
    // a read is some 90 ms of sound, a third of a buffer.
    void tapNewAudio(std::size_t count) {
        if (count == 0) {
            return;
        }
        std::lock_guard delivery(core_->deliveryMutex);
        if (core_->owner == nullptr || state_->abandoned || core_->tap == nullptr ||
            !core_->running) {
            return;
        }
        const std::int16_t* fresh = pending_.data() + (pending_.size() - count);
        core_->tap(core_->tapUserData, fresh, static_cast<std::uint32_t>(count));
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
            std::unique_lock delivery(core_->deliveryMutex);
            if (core_->owner == nullptr || state_->abandoned) {
                return;  // the queue has gone, or a newer reader took over
            }
            AudioQueueBuffer* buffer = nullptr;
            {
                std::lock_guard lock(core_->mutex);
                if (!core_->enqueued.empty()) {
                    buffer = core_->enqueued.front();
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
                std::lock_guard lock(core_->mutex);
                // A stop() since the read keeps the buffer enqueued and unfilled.
                if (!core_->running) {
                    return;
                }
                core_->enqueued.pop_front();
            }
            const std::span<const std::int16_t> block(pending_.data(), wanted);
            std::memcpy(buffer->audioData, block.data(), block.size_bytes());
            buffer->byteSize = static_cast<std::uint32_t>(block.size_bytes());
            const LevelMeterState level = measureLevel(block);
            core_->average = level.averagePower;
            core_->peak = level.peakPower;
            pending_.erase(pending_.begin(),
                           pending_.begin() + static_cast<std::ptrdiff_t>(wanted));
            core_->callback(core_->userData, *core_->owner, *buffer);
        }
    }

    std::shared_ptr<CaptureCore> core_;
    std::shared_ptr<ReaderState> state_;
    PaStream* stream_ = nullptr;
    bool started_ = false;
    SoxrPtr resampler_;
    std::vector<std::int16_t> readBuffer_;
    std::vector<std::int16_t> resampled_;
    std::vector<std::int16_t> pending_;
};

class PortAudioInputQueue : public AudioInputQueue {
  public:
    PortAudioInputQueue(std::shared_ptr<CaptureCore> core, Log& log)
        : core_(std::move(core)), log_(log) {
        core_->owner = this;
        supervisor_ = std::thread([this] { supervise(); });
    }

    ~PortAudioInputQueue() override {
        {
            std::lock_guard lock(core_->mutex);
            core_->quit = true;
            core_->running = false;
        }
        core_->wake.notify_all();
        {
            // Waits for a callback in progress; none starts after this.
            std::lock_guard delivery(core_->deliveryMutex);
            core_->owner = nullptr;
        }
        supervisor_.join();
        // A healthy reader closes its stream within a read; give it that long, so the device
        // is free for the next queue.
        const auto deadline = SteadyClock::now() + kCloseWait;
        while (reader_ != nullptr && !reader_->done && SteadyClock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
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
        std::lock_guard lock(core_->mutex);
        core_->enqueued.push_back(&buffer);
    }

    void start() override {
        {
            std::lock_guard lock(core_->mutex);
            core_->running = true;
        }
        core_->wake.notify_all();
    }

    void stop() override {
        std::lock_guard lock(core_->mutex);
        core_->running = false;
    }

    std::optional<bool> isRunning() const override { return core_->running.load(); }

    std::int32_t setLevelMeteringEnabled(bool enabled) override {
        core_->metering = enabled;
        return 0;
    }

    void currentLevelMeter(LevelMeterState* levels, std::uint32_t channels) const override {
        const LevelMeterState reading =
            core_->metering ? LevelMeterState{core_->average.load(), core_->peak.load()}
                            : LevelMeterState{};
        std::fill_n(levels, channels, reading);
    }

    bool reconnecting() const override { return core_->reconnecting.load(); }

    bool setTap(AudioTapCallback tap, void* userData) override {
        std::lock_guard delivery(core_->deliveryMutex);
        core_->tap = tap;
        core_->tapUserData = userData;
        return true;
    }

  private:
    struct Slot {
        std::vector<std::int16_t> samples;
        AudioQueueBuffer buffer;
    };

    // The supervisor: starts a reader when the queue runs, and when a reader fails or stalls,
    // reports the loss once and starts another every 2 s until one captures again. It never
    // calls PortAudio itself, so it always answers the destructor at once.
    void supervise() {
        SteadyClock::time_point nextAttempt{};
        bool lost = false;
        std::unique_lock lock(core_->mutex);
        for (;;) {
            core_->wake.wait_for(lock, kSuperviseInterval);
            if (core_->quit) {
                return;
            }
            if (!core_->running) {
                continue;  // a paused reader waits for the next start
            }
            lock.unlock();
            const auto now = SteadyClock::now();
            const auto reportLoss = [&](const std::string& why) {
                if (!lost) {
                    log_.write(why + "; trying the input again every 2 s");
                    lost = true;
                }
                core_->reconnecting = true;
                reader_ = nullptr;
            };
            if (reader_ == nullptr) {
                if (now >= nextAttempt && core_->liveReaders < kMaxLiveReaders) {
                    startReader();
                    nextAttempt = now + kRetryInterval;
                }
            } else if (reader_->failed) {
                std::string error;
                {
                    std::lock_guard errorLock(reader_->errorMutex);
                    error = reader_->error;
                }
                reportLoss(error);
            } else if (reader_->stalled(now)) {
                {
                    // Under the lock, so that a reader about to wait for a start sees it.
                    std::lock_guard abandonLock(core_->mutex);
                    reader_->abandoned = true;
                }
                core_->wake.notify_all();
                reportLoss(std::string("Audio capture stalled: the sound server does not answer ") +
                           reader_->call.load());
            } else if (lost && reader_->captured) {
                log_.write("Audio capture resumed");
                lost = false;
                core_->reconnecting = false;
            }
            lock.lock();
        }
    }

    void startReader() {
        reader_ = std::make_shared<ReaderState>();
        ++core_->liveReaders;
        // Detached: a reader stuck inside PortAudio must never hold up the queue; what it
        // needs it holds itself.
        std::thread([core = core_, state = reader_] { CaptureReader(core, state).run(); }).detach();
    }

    std::shared_ptr<CaptureCore> core_;
    Log& log_;
    // Main thread only.
    std::vector<std::unique_ptr<Slot>> slots_;
    // The supervisor's, until it has been joined.
    std::shared_ptr<ReaderState> reader_;
    std::thread supervisor_;
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
    if (options_.device.portAudioIndex) {
        // A device PortAudio lists is there for the process's life, or never.
        const PortAudioEndpoint device(options_.device, true, 1, kInputLatency);
        if (!device.ok()) {
            log_.write("No audio input, the tuner hears nothing: " + device.error());
            return nullptr;
        }
    }
    // The stream is opened by the queue's reader, off this thread: opening waits on the sound
    // server. A device that cannot be opened, or a sound server that does not answer yet, is
    // logged there and tried again every 2 s.
    return std::make_unique<PortAudioInputQueue>(
        std::make_shared<CaptureCore>(std::move(system), options_.device, format.sampleRate,
                                      options_.alwaysResample, callback, userData),
        log_);
}

}  // namespace strumwise::platform::desktop
