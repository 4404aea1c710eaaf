#pragma once

#include <atomic>
#include <memory>
#include <optional>

#include "adapters/desktop/audio/audio_device_target.h"
#include "platform/audio_output.h"
#include "platform/log.h"

namespace strumwise::platform::desktop {

// What every unit of a factory plays on and how loud: the device (main thread only), and the
// gain its render thread reads.
struct PortAudioOutputChoice {
    // Resolved each time a stream opens; the default output device when empty.
    AudioDeviceTarget device;
    std::shared_ptr<std::atomic<float>> gain = std::make_shared<std::atomic<float>>(1.0f);
};

// Output units on an output device of the sound server, played through the server's own client
// library (pulse_tone_stream.h), or on a device PortAudio lists where no server answers: a stream
// of interleaved signed 16-bit frames, opened when the unit is initialised and kept playing
// silence for the unit's life, whose audio thread hands each output buffer to the unit's render
// callback between a start and a stop, then applies the factory's gain and ramps the sound in at a
// start and out at a stop over 5 ms (tones/tone_fade.h), so that neither clicks. A start is thus
// heard after one short buffer, with no stream or server device to wake. Opening and closing the
// stream run on a worker of the unit's own (audio_worker.h), so the unit's calls return at once
// whatever the sound server does; a start whose stream cannot be opened, or has not been within
// 2 s, is logged and answered by startFailed, and the next start tries again.
class PortAudioOutputUnitFactory : public AudioOutputUnitFactory {
  public:
    // `log` outlives the factory and every unit it makes.
    explicit PortAudioOutputUnitFactory(Log& log) : log_(log) {}

    // Main thread. The device of later units, and of every unit from its next start; empty:
    // the default output device.
    void setDevice(AudioDeviceTarget device);
    // Any thread. The gain, 0..1, of every unit's sound from its next buffer on.
    void setGain(float gain);

    // nullptr, with one log line saying why, when PortAudio cannot start. A device that is not
    // there, or cannot play 44100 Hz 16-bit stereo, is logged when the stream opens.
    std::unique_ptr<AudioOutputUnit> newOutputUnit() override;

  private:
    Log& log_;
    std::shared_ptr<PortAudioOutputChoice> choice_ = std::make_shared<PortAudioOutputChoice>();
};

}  // namespace strumwise::platform::desktop
