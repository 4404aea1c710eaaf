#pragma once

#include <pa_linux_alsa.h>
#include <portaudio.h>

#include <string>

#include "adapters/desktop/audio/audio_device_target.h"

namespace strumwise::platform::desktop {

// A device as PortAudio opens it, resolved from its target at the moment of opening: a device of
// the sound server becomes ALSA's PulseAudio plug-in with the server's name of the device, so
// that PortAudio needs no device list of its own for it and a server that started after
// PortAudio is reached all the same. Blocks while it asks the server; call it where opening the
// stream may block too.
class PortAudioEndpoint {
  public:
    // `latency` in seconds is asked of the stream. On failure, error() says why in a few words
    // ("no sound server answers", "device 7 does not exist").
    PortAudioEndpoint(const AudioDeviceTarget& target, bool input, int channels, double latency);
    PortAudioEndpoint(const PortAudioEndpoint&) = delete;
    PortAudioEndpoint& operator=(const PortAudioEndpoint&) = delete;

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    // Ready for Pa_OpenStream while this object lives: it points into it.
    const PaStreamParameters* parameters() const { return &parameters_; }
    // The rate the device runs at by itself, for a stream that resamples.
    double defaultSampleRate() const { return defaultSampleRate_; }
    // For log lines, quoted: "\"USB Microphone\"".
    const std::string& shownName() const { return shownName_; }
    // Whether the stream opens through PortAudio's ALSA host API, whose own calls it then takes.
    bool throughAlsa() const { return throughAlsa_; }

  private:
    void resolveServerDevice(const AudioDeviceTarget& target, bool input);
    void resolvePortAudioDevice(PaDeviceIndex device, bool input);

    PaStreamParameters parameters_{};
    PaAlsaStreamInfo alsa_{};
    std::string alsaDevice_;
    double defaultSampleRate_ = 48000.0;
    std::string shownName_;
    std::string error_;
    bool throughAlsa_ = false;
};

}  // namespace strumwise::platform::desktop
