#pragma once

#include <string>

#include "tuner/pitch_source.h"

namespace strumwise::screen {

// What the main screen needs of the microphone listener: a way to start it, and the level and
// pitch the tuner tick reads. The application's listener is adapted to it; tests feed their own.
class Microphone : public tuner::PitchSource {
  public:
    // What the player is told about the microphone: nothing while it captures (or before it
    // is asked to), that there is none, or that it was lost and is being reconnected.
    enum class Status { Fine, Missing, Lost };

    // Starts capturing; the listener keeps capturing for the life of the process.
    virtual void listen() = 0;
    virtual Status status() { return Status::Fine; }
    // What the platform has to say about the microphone while it captures, in the player's
    // language (a chosen microphone unplugged, and which one is heard meanwhile); empty for
    // nothing, as always on a platform that never says anything.
    virtual std::string note() { return {}; }
};

}  // namespace strumwise::screen
