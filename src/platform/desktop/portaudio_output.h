#pragma once

#include <memory>

#include "platform/audio_output.h"
#include "platform/log.h"

namespace strumwise::platform::desktop {

// Output units on PortAudio's default output device: a callback stream of interleaved signed
// 16-bit frames whose PortAudio callback hands each output buffer to the unit's render callback
// on PortAudio's audio thread. Opening, starting, stopping and closing the stream run on a
// worker of the unit's own (audio_worker.h), so the unit's calls return at once whatever the
// sound server does; a start that fails, or has not taken effect within 2 s, is logged and
// answered by startFailed.
class PortAudioOutputUnitFactory : public AudioOutputUnitFactory {
  public:
    // `log` outlives the factory and every unit it makes.
    explicit PortAudioOutputUnitFactory(Log& log) : log_(log) {}

    // nullptr, with one log line saying why, when PortAudio cannot start or there is no default
    // output device. A device that cannot play 44100 Hz 16-bit stereo is logged when the
    // stream opens.
    std::unique_ptr<AudioOutputUnit> newOutputUnit() override;

  private:
    Log& log_;
};

}  // namespace strumwise::platform::desktop
