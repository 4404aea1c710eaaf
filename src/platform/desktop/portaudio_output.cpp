#include "platform/desktop/portaudio_output.h"

#include <portaudio.h>

#include <algorithm>
#include <string>

#include "platform/desktop/portaudio_system.h"

namespace strumwise::platform::desktop {
namespace {

// Statuses of the unit's own, besides PortAudio's error codes, which pass through unchanged.
constexpr std::int32_t kStatusUnsupportedFormat = -1;
constexpr std::int32_t kStatusAlreadyInitialized = -2;
constexpr std::int32_t kStatusNotConfigured = -3;
constexpr std::int32_t kStatusNotInitialized = -4;

constexpr double kOutputSampleRate = 44100.0;
constexpr int kOutputChannels = 2;

PaStreamParameters outputParameters(PaDeviceIndex device) {
    PaStreamParameters parameters{};
    parameters.device = device;
    parameters.channelCount = kOutputChannels;
    parameters.sampleFormat = paInt16;
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    parameters.suggestedLatency = info != nullptr ? info->defaultLowOutputLatency : 0.05;
    parameters.hostApiSpecificStreamInfo = nullptr;
    return parameters;
}

// Only what PortAudio's paInt16 stereo stream carries: signed, packed, interleaved 16-bit pairs.
bool isPlayableFormat(const StreamFormat& format) {
    constexpr std::uint32_t kSignedPacked = kFormatFlagIsSignedInteger | kFormatFlagIsPacked;
    return format.formatID == kFormatLinearPCM &&
           (format.formatFlags & kSignedPacked) == kSignedPacked && format.bitsPerChannel == 16 &&
           format.channelsPerFrame == kOutputChannels && format.bytesPerFrame == 4 &&
           format.framesPerPacket == 1 && format.bytesPerPacket == 4 && format.sampleRate > 0.0;
}

class PortAudioOutputUnit : public AudioOutputUnit {
  public:
    PortAudioOutputUnit(std::shared_ptr<PortAudioSystem> system, PaDeviceIndex device, Log& log)
        : system_(std::move(system)), device_(device), log_(log) {}

    ~PortAudioOutputUnit() override {
        if (stream_ != nullptr) {
            // Closing aborts a running stream; no callback runs once it has returned.
            Pa_CloseStream(stream_);
        }
    }

    // The format and the callback are fixed once the stream is open, so the audio thread never
    // reads them while the main thread writes them.
    std::int32_t setStreamFormat(const StreamFormat& format) override {
        if (stream_ != nullptr) {
            return kStatusAlreadyInitialized;
        }
        if (!isPlayableFormat(format)) {
            return kStatusUnsupportedFormat;
        }
        sampleRate_ = format.sampleRate;
        return 0;
    }

    std::int32_t setRenderCallback(RenderCallback callback, void* context) override {
        if (stream_ != nullptr) {
            return kStatusAlreadyInitialized;
        }
        callback_ = callback;
        context_ = context;
        return 0;
    }

    std::int32_t initialize() override {
        if (stream_ != nullptr) {
            return 0;
        }
        if (callback_ == nullptr) {
            return kStatusNotConfigured;
        }
        const PaStreamParameters parameters = outputParameters(device_);
        const PaError status =
            Pa_OpenStream(&stream_, nullptr, &parameters, sampleRate_, paFramesPerBufferUnspecified,
                          paClipOff, &PortAudioOutputUnit::pull, this);
        if (status != paNoError) {
            stream_ = nullptr;
            log_.write("Audio output could not be opened: " + portAudioErrorText(status));
        }
        return status;
    }

    std::int32_t start() override {
        if (stream_ == nullptr) {
            return kStatusNotInitialized;
        }
        // Starting a unit that already plays changes nothing.
        const PaError stopped = Pa_IsStreamStopped(stream_);
        return stopped == 1 ? Pa_StartStream(stream_) : std::min<PaError>(stopped, 0);
    }

    std::int32_t stop() override {
        if (stream_ == nullptr) {
            return 0;
        }
        const PaError stopped = Pa_IsStreamStopped(stream_);
        return stopped == 0 ? Pa_StopStream(stream_) : std::min<PaError>(stopped, 0);
    }

  private:
    // PortAudio's audio thread: wraps the output buffer and lets the render callback fill it.
    // Nothing here allocates, locks, logs or blocks.
    static int pull(const void* /*input*/, void* output, unsigned long frameCount,
                    const PaStreamCallbackTimeInfo* /*time*/, PaStreamCallbackFlags /*flags*/,
                    void* userData) {
        const auto* self = static_cast<const PortAudioOutputUnit*>(userData);
        const auto frames = static_cast<std::uint32_t>(frameCount);
        AudioBuffer buffer{kOutputChannels, frames * 4, output};
        AudioBufferList list{1, &buffer};
        self->callback_(self->context_, frames, list);
        return paContinue;
    }

    // Declared first so that it is released last, after the stream has closed.
    std::shared_ptr<PortAudioSystem> system_;
    PaDeviceIndex device_;
    Log& log_;
    double sampleRate_ = kOutputSampleRate;
    RenderCallback callback_ = nullptr;
    void* context_ = nullptr;
    PaStream* stream_ = nullptr;
};

}  // namespace

std::unique_ptr<AudioOutputUnit> PortAudioOutputUnitFactory::newOutputUnit() {
    std::shared_ptr<PortAudioSystem> system = PortAudioSystem::acquire();
    if (!system->ok()) {
        log_.write("No audio output, the reference tones stay silent: " + system->error());
        return nullptr;
    }
    const PaDeviceIndex device = Pa_GetDefaultOutputDevice();
    if (device == paNoDevice) {
        log_.write("No audio output device, the reference tones stay silent");
        return nullptr;
    }
    const PaStreamParameters parameters = outputParameters(device);
    const PaError supported = Pa_IsFormatSupported(nullptr, &parameters, kOutputSampleRate);
    if (supported != paFormatIsSupported) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
        log_.write(std::string("Audio output device \"") +
                   (info != nullptr && info->name != nullptr ? info->name : "?") +
                   "\" cannot play 44100 Hz 16-bit stereo, the reference tones stay silent: " +
                   portAudioErrorText(supported));
        return nullptr;
    }
    return std::make_unique<PortAudioOutputUnit>(std::move(system), device, log_);
}

}  // namespace strumwise::platform::desktop
