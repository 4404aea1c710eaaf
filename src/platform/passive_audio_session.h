#pragma once

#include "platform/audio_session.h"

namespace strumwise::platform {

// The audio session of a platform that has none: on the desktop PortAudio opens the devices
// directly and the sound server does the routing a phone's session would, and in the browser the
// page asks for the microphone with the voice processing off (what the measurement mode asks
// for) and plays through the default output. Every call succeeds and changes nothing.
class PassiveAudioSession final : public AudioSession {
  public:
    bool setCategory(std::string_view, std::string*) override { return true; }
    bool setCategory(std::string_view, std::uint32_t, std::string*) override { return true; }
    bool setMode(std::string_view, std::string*) override { return true; }
    bool setActive(bool, std::string*) override { return true; }
};

}  // namespace strumwise::platform
