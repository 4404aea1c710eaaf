#pragma once

#include <memory>

#include "platform/audio_output.h"
#include "platform/log.h"

namespace strumwise::platform::desktop {

// Output units on PortAudio's default output device: a callback stream of interleaved signed
// 16-bit frames whose PortAudio callback hands each output buffer to the unit's render callback
// on PortAudio's audio thread.
class PortAudioOutputUnitFactory : public AudioOutputUnitFactory {
  public:
    // `log` outlives the factory and every unit it makes.
    explicit PortAudioOutputUnitFactory(Log& log) : log_(log) {}

    // nullptr, with one log line saying why, when PortAudio cannot start, there is no default
    // output device, or the device cannot play 44100 Hz 16-bit stereo.
    std::unique_ptr<AudioOutputUnit> newOutputUnit() override;

  private:
    Log& log_;
};

}  // namespace strumwise::platform::desktop
