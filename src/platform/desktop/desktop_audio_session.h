#pragma once

#include "platform/audio_session.h"

namespace strumwise::platform::desktop {

// The desktop has no audio session: PortAudio opens the default devices directly and the sound
// server does the routing a phone's session would. Every call succeeds and changes nothing.
class DesktopAudioSession final : public AudioSession {
  public:
    bool setCategory(std::string_view, std::string*) override { return true; }
    bool setCategory(std::string_view, std::uint32_t, std::string*) override { return true; }
    bool setMode(std::string_view, std::string*) override { return true; }
    bool setActive(bool, std::string*) override { return true; }
};

}  // namespace strumwise::platform::desktop
