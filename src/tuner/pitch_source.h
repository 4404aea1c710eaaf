#pragma once

#include "pitch/note_reader.h"

namespace strumwise::tuner {

// What the tuner tick needs of the microphone: the level and the pitch of the latest sound.
// The microphone listener provides both; tests feed exact values through their own source.
class PitchSource {
  public:
    virtual ~PitchSource() = default;
    // The level meter's average power of the first channel, linear 0..1; 0 when not listening.
    virtual float averagePower() = 0;
    // The pitch estimate of the latest captured block, in Hz; 0 before the first block.
    virtual float frequency() = 0;
    // What the latest audio holds, for the screen's one reading (see pitch::NoteReader). A
    // source that cannot tell is never sure, and the tick then shows what the estimate says.
    virtual pitch::NoteReading noteReading() { return {}; }
};

}  // namespace strumwise::tuner
