#pragma once

#include "tuner/pitch_source.h"

namespace strumwise::screen {

// What the main screen needs of the microphone listener: a way to start it, and the level and
// pitch the tuner tick reads. The application's listener is adapted to it; tests feed their own.
class Microphone : public tuner::PitchSource {
  public:
    // Starts capturing; the listener keeps capturing for the life of the process.
    virtual void listen() = 0;
};

}  // namespace strumwise::screen
