#include "adapters/desktop/audio/portaudio_output.h"

#include <portaudio.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "adapters/desktop/audio/audio_worker.h"
#include "adapters/desktop/audio/portaudio_endpoint.h"
#include "adapters/desktop/audio/portaudio_system.h"
#include "adapters/desktop/audio/pulse_tone_stream.h"
#include "adapters/desktop/audio/realtime_scope.h"
#include "tones/tone_fade.h"

namespace strumwise::platform::desktop {
namespace {

// Statuses of the unit's own, besides PortAudio's error codes, which pass through unchanged.
constexpr std::int32_t kStatusUnsupportedFormat = -1;
constexpr std::int32_t kStatusAlreadyInitialized = -2;
constexpr std::int32_t kStatusNotConfigured = -3;
constexpr std::int32_t kStatusNotInitialized = -4;

constexpr double kOutputSampleRate = 44100.0;
constexpr int kOutputChannels = 2;
constexpr std::uint32_t kBytesPerFrame = 4;

// A start that has not taken effect by then is given up: the sound server is gone or stuck.
constexpr auto kStartDeadline = std::chrono::seconds(2);
// How long the main thread lets a ramp out finish before it retires a stream: short, because it
// waits.
constexpr auto kRetireFadeLimit = std::chrono::milliseconds(30);
constexpr auto kFadeOutPoll = std::chrono::milliseconds(2);
// A stream that could not be opened, or whose server went away, is opened again this often while
// the unit waits, so that a server that starts or returns is playing before the next press.
constexpr auto kReopenInterval = std::chrono::seconds(2);
constexpr auto kUpkeepQuiet = std::chrono::milliseconds(500);
// A sound server may drop the first frames of a stream that has just started: it starts with this
// many frames of silence, so that a tone pressed at once is heard from its ramp in.
constexpr std::uint32_t kPrerollFrames = 2048;
// The stream plays silence between presses, so a press is heard after this buffer, with no
// start-up of the stream or of the server's device: short enough to sound at once, long enough
// that a busy machine does not starve it (bench/fork_latency.py measures both).
constexpr double kOutputLatency = 0.06;

// Only what PortAudio's paInt16 stereo stream carries: signed, packed, interleaved 16-bit pairs.
bool isPlayableFormat(const StreamFormat& format) {
    constexpr std::uint32_t kSignedPacked = kFormatFlagIsSignedInteger | kFormatFlagIsPacked;
    return format.formatID == kFormatLinearPCM &&
           (format.formatFlags & kSignedPacked) == kSignedPacked && format.bitsPerChannel == 16 &&
           format.channelsPerFrame == kOutputChannels && format.bytesPerFrame == kBytesPerFrame &&
           format.framesPerPacket == 1 && format.bytesPerPacket == 4 && format.sampleRate > 0.0;
}

// One PortAudio stream and what its worker and PortAudio's audio thread share with the unit.
// It outlives the unit when a worker is left stuck inside PortAudio, so everything a late call
// may touch lives here, and nothing here reaches back to the unit.
class OutputStream {
  public:
    OutputStream(std::shared_ptr<PortAudioSystem> system, AudioDeviceTarget device,
                 double sampleRate, RenderCallback callback, void* context,
                 std::shared_ptr<const std::atomic<float>> gain, Log& log)
        : system_(std::move(system)),
          gain_(std::move(gain)),
          device_(std::move(device)),
          sampleRate_(sampleRate),
          callback_(callback),
          context_(context),
          log_(log) {}

    const AudioDeviceTarget& device() const { return device_; }

    // --- Main thread.

    // Lets the render callback fill the output, the tone ramping in.
    void openGate() {
        fade_.setSounding(true);
        gateOpen_ = true;
    }
    // Ramps the tone out; the render callback rests once it has.
    void fadeOut() { fade_.setSounding(false); }
    // Keeps the render callback from being called again, after letting a ramp out that is under
    // way finish for a short while (not at all when `now`). Waits for a render in progress, which
    // is short by the render callback's own rules.
    void closeGate(bool now = false) {
        fade_.setSounding(false);
        if (!now) {
            awaitFadeOut(kRetireFadeLimit);
        }
        gateOpen_ = false;
        while (rendering_.load() != 0) {
            std::this_thread::yield();
        }
    }
    // Whether the worker has reported a failure to open that no open has mended since.
    bool failureReported() const { return reported_.load(); }
    // The log may go once the unit has: later lines are dropped.
    void muteLog() {
        std::lock_guard lock(logMutex_);
        logMuted_ = true;
    }
    // The outcome of the start request numbered `request`: nullopt while it is pending.
    std::optional<bool> startSucceeded(std::uint64_t request) const {
        const std::uint64_t answer = startAnswer_.load();
        if (answer / 2 != request) {
            return std::nullopt;
        }
        return answer % 2 == 0;
    }

    // --- Worker thread.

    // Opens the stream and starts it playing silence, so that a press only opens the gate. On a
    // sound server the server's own client library plays it; PortAudio plays to a device it
    // lists itself, or where no server answers.
    void open() {
        if (opened()) {
            return;
        }
        // The stream holds only a few dozen milliseconds of sound, so that a press is heard at
        // once, and a busy machine may keep an ordinary thread waiting longer than that. Opened
        // and started at real-time priority where the system allows it, the threads that feed
        // the server (the client library's, or PortAudio's) inherit it.
        const RealtimeScope realtime;
        bool noServer = false;
        if (!device_.portAudioIndex) {
            preroll_ = kPrerollFrames;
            switch (pulse_.open(device_.serverDevice, static_cast<std::uint32_t>(sampleRate_))) {
                case PulseToneStream::Outcome::Playing:
                    reported_ = false;
                    return;
                case PulseToneStream::Outcome::Failed:
                    reportOpenFailure(pulse_.error());
                    return;
                case PulseToneStream::Outcome::NoServer:
                    // A machine that plays straight to its sound card, through PortAudio.
                    noServer = true;
                    break;
            }
        }
        const PortAudioEndpoint device(device_, false, kOutputChannels, kOutputLatency);
        PaError status = paNotInitialized;
        std::string why = device.error();
        if (device.ok()) {
            status =
                Pa_OpenStream(&stream_, nullptr, device.parameters(), sampleRate_,
                              paFramesPerBufferUnspecified, paClipOff, &OutputStream::pull, this);
            if (status == paNoError) {
                if (device.throughAlsa() && realtime.raised()) {
                    PaAlsa_EnableRealtimeScheduling(stream_, 1);
                }
                preroll_ = kPrerollFrames;
                status = Pa_StartStream(stream_);
                if (status != paNoError) {
                    Pa_CloseStream(stream_);
                }
            }
            why = portAudioErrorText(status);
        }
        if (status != paNoError) {
            stream_ = nullptr;
            if (noServer) {
                // PortAudio's own words ("Illegal combination of I/O devices") name no cause a
                // player can act on; a server that stopped or never started is the likely one.
                why = "no sound server answers, and the default device cannot play (" + why + ")";
            }
            reportOpenFailure(why);
        } else {
            reported_ = false;
        }
    }

    // The stream plays already; one whose audio thread has ended (its server went away) is
    // closed and opened anew, on the device the target names now.
    void start(std::uint64_t request) {
        if (opened() && !playing()) {
            close();
        }
        open();
        startAnswer_ = request * 2 + (opened() ? 0 : 1);
    }

    // Between tasks: opens again a stream that is not playing, at most every 2 s.
    void keepOpen() {
        const auto now = std::chrono::steady_clock::now();
        if (playing() || now < nextReopen_) {
            return;
        }
        nextReopen_ = now + kReopenInterval;
        close();
        open();
    }

    // Waits until the tone has ramped out, the tone has been started again, or `limit` has passed.
    void awaitFadeOut(std::chrono::milliseconds limit) const {
        for (auto waited = std::chrono::milliseconds(0);
             !fade_.faded() && !fade_.sounding() && waited < limit; waited += kFadeOutPoll) {
            std::this_thread::sleep_for(kFadeOutPoll);
        }
    }

    void close() {
        pulse_.close();
        if (stream_ != nullptr) {
            // Closing aborts a running stream; no callback runs once it has returned.
            Pa_CloseStream(stream_);
            stream_ = nullptr;
        }
    }

  private:
    // One line per run of failures, not one per press.
    void reportOpenFailure(const std::string& why) {
        if (reported_) {
            return;
        }
        reported_ = true;
        std::lock_guard lock(logMutex_);
        if (!logMuted_) {
            log_.write("Audio output could not be opened, the reference tones stay silent: " + why);
        }
    }

    // The stream's audio thread (PortAudio's, or the server's client library's): wraps the
    // output buffer and lets the render callback fill it while the gate is open and the tone has
    // not ramped out, then shapes it with the volume and the ramps; plays silence otherwise, which
    // is most of the time. Nothing here allocates, locks, logs or blocks. The counter comes first
    // so that closeGate, which clears the flag first, either sees this render and waits for it,
    // or this render sees the gate closed.
    static void fill(void* userData, std::int16_t* output, std::uint32_t frames) {
        auto* self = static_cast<OutputStream*>(userData);
        self->rendering_.fetch_add(1);
        const std::uint32_t preroll = self->preroll_.load();
        if (preroll > 0) {
            self->preroll_.store(preroll - std::min(preroll, frames));
        }
        if (preroll == 0 && self->gateOpen_.load() && self->fade_.wantsFrames()) {
            AudioBuffer buffer{kOutputChannels, frames * kBytesPerFrame, output};
            AudioBufferList list{1, &buffer};
            self->callback_(self->context_, frames, list);
            self->fade_.setGain(self->gain_->load(std::memory_order_relaxed));
            self->fade_.apply(output, frames, kOutputChannels);
        } else {
            std::memset(output, 0, std::size_t{frames} * kBytesPerFrame);
        }
        self->rendering_.fetch_sub(1);
    }

    static int pull(const void* /*input*/, void* output, unsigned long frameCount,
                    const PaStreamCallbackTimeInfo* /*time*/, PaStreamCallbackFlags /*flags*/,
                    void* userData) {
        fill(userData, static_cast<std::int16_t*>(output), static_cast<std::uint32_t>(frameCount));
        return paContinue;
    }

    bool opened() const { return pulse_.opened() || stream_ != nullptr; }
    bool playing() const {
        return pulse_.opened() ? pulse_.playing()
                               : stream_ != nullptr && Pa_IsStreamActive(stream_) == 1;
    }

    // Declared first so that it is released last, after the stream has closed.
    std::shared_ptr<PortAudioSystem> system_;
    const std::shared_ptr<const std::atomic<float>> gain_;
    const AudioDeviceTarget device_;
    const double sampleRate_;
    const RenderCallback callback_;
    void* const context_;
    Log& log_;

    // Worker thread only.
    PaStream* stream_ = nullptr;
    // Set while a failure to open is reported and the stream has not opened since; any thread
    // reads it.
    std::atomic<bool> reported_ = false;
    std::chrono::steady_clock::time_point nextReopen_;

    std::atomic<bool> gateOpen_ = false;
    std::atomic<int> rendering_ = 0;
    tones::ToneFade fade_;
    // Frames of silence still to play before the first rendered frame; set by the worker before
    // the stream starts.
    std::atomic<std::uint32_t> preroll_ = 0;
    // Request number times two, plus one for a failure; written by the worker.
    std::atomic<std::uint64_t> startAnswer_ = 0;
    std::mutex logMutex_;
    bool logMuted_ = false;
    // Worker thread only. Declared last so that it stops, and no fill runs, before the members
    // a fill reads are released.
    PulseToneStream pulse_{&OutputStream::fill, this};
};

// The unit as the main thread sees it. Every PortAudio call that can wait on the sound server
// runs on the unit's worker; the calls here return at once.
class PortAudioOutputUnit : public AudioOutputUnit {
  public:
    PortAudioOutputUnit(std::shared_ptr<PortAudioSystem> system,
                        std::shared_ptr<const PortAudioOutputChoice> choice, Log& log)
        : system_(std::move(system)), choice_(std::move(choice)), log_(log) {}

    ~PortAudioOutputUnit() override { retireStream(); }

    // The format and the callback are fixed once initialized, so the audio thread never reads
    // them while the main thread writes them.
    std::int32_t setStreamFormat(const StreamFormat& format) override {
        if (initialized_) {
            return kStatusAlreadyInitialized;
        }
        if (!isPlayableFormat(format)) {
            return kStatusUnsupportedFormat;
        }
        sampleRate_ = format.sampleRate;
        return 0;
    }

    std::int32_t setRenderCallback(RenderCallback callback, void* context) override {
        if (initialized_) {
            return kStatusAlreadyInitialized;
        }
        callback_ = callback;
        context_ = context;
        return 0;
    }

    // Opens the stream on the worker and starts it playing silence; a failure is logged there and
    // shows at the next start, which tries again.
    std::int32_t initialize() override {
        if (initialized_) {
            return 0;
        }
        if (callback_ == nullptr) {
            return kStatusNotConfigured;
        }
        initialized_ = true;
        newStream();
        return 0;
    }

    std::int32_t start() override {
        if (!initialized_) {
            return kStatusNotInitialized;
        }
        if (stream_ != nullptr && stream_->device() != chosenDevice()) {
            retireStream();  // the player chose another device since
        }
        if (stream_ == nullptr) {
            newStream();  // the last one was given up, or played elsewhere
        }
        abandoned_ = false;
        startRequested_ = true;
        startPostedAt_ = std::chrono::steady_clock::now();
        const std::uint64_t request = ++startRequest_;
        stream_->openGate();
        worker_->post([stream = stream_, request] { stream->start(request); });
        return 0;
    }

    // The tone ramps out over 5 ms; then no render callback runs, and the stream plays silence
    // until the next start.
    std::int32_t stop() override {
        abandoned_ = false;
        startRequested_ = false;
        if (stream_ != nullptr) {
            stream_->fadeOut();
        }
        return 0;
    }

    bool startFailed() override {
        if (abandoned_) {
            return true;
        }
        if (!startRequested_ || stream_ == nullptr) {
            return false;
        }
        if (const std::optional<bool> succeeded = stream_->startSucceeded(startRequest_)) {
            return !*succeeded;
        }
        if (std::chrono::steady_clock::now() - startPostedAt_ < kStartDeadline) {
            return false;
        }
        // A worker still busy opening again what it has already reported failing adds no news.
        if (!stream_->failureReported()) {
            log_.write("Audio output did not start within 2 s, the reference tones stay silent");
        }
        retireStream(true);
        abandoned_ = true;
        return true;
    }

  private:
    const AudioDeviceTarget& chosenDevice() const { return choice_->device; }

    void newStream() {
        stream_ = std::make_shared<OutputStream>(system_, chosenDevice(), sampleRate_, callback_,
                                                 context_, choice_->gain, log_);
        worker_ = std::make_unique<AudioWorker>();
        worker_->setIdleTask(kUpkeepQuiet, [stream = stream_] { stream->keepOpen(); });
        worker_->post([stream = stream_] { stream->open(); });
    }

    // Silences the stream, lets its worker close it, and forgets both. A worker stuck inside
    // PortAudio is left behind with the stream, at once when `stuck`; it renders nothing more
    // and logs nothing.
    void retireStream(bool stuck = false) {
        if (stream_ == nullptr) {
            return;
        }
        stream_->closeGate(stuck);
        stream_->muteLog();
        worker_->post([stream = stream_] { stream->close(); });
        if (stuck) {
            worker_->leaveBehind();
        }
        worker_.reset();
        stream_.reset();
    }

    std::shared_ptr<PortAudioSystem> system_;
    std::shared_ptr<const PortAudioOutputChoice> choice_;
    Log& log_;
    double sampleRate_ = kOutputSampleRate;
    RenderCallback callback_ = nullptr;
    void* context_ = nullptr;
    bool initialized_ = false;

    std::shared_ptr<OutputStream> stream_;
    std::unique_ptr<AudioWorker> worker_;
    std::uint64_t startRequest_ = 0;
    bool startRequested_ = false;
    bool abandoned_ = false;
    std::chrono::steady_clock::time_point startPostedAt_;
};

}  // namespace

std::unique_ptr<AudioOutputUnit> PortAudioOutputUnitFactory::newOutputUnit() {
    std::shared_ptr<PortAudioSystem> system = PortAudioSystem::acquire();
    if (!system->ok()) {
        log_.write("No audio output, the reference tones stay silent: " + system->error());
        return nullptr;
    }
    // The device is resolved, and whether it plays 44100 Hz 16-bit stereo asked, when the stream
    // opens on the unit's worker: both wait on the sound server, which may also start later.
    return std::make_unique<PortAudioOutputUnit>(std::move(system), choice_, log_);
}

void PortAudioOutputUnitFactory::setDevice(AudioDeviceTarget device) {
    choice_->device = std::move(device);
}

void PortAudioOutputUnitFactory::setGain(float gain) {
    choice_->gain->store(std::clamp(gain, 0.0f, 1.0f), std::memory_order_relaxed);
}

}  // namespace strumwise::platform::desktop
