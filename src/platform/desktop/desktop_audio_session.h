#pragma once

#include <string>
#include <vector>

#include "platform/audio_session.h"

namespace strumwise::platform::desktop {

// The desktop has no audio session: PortAudio opens the default devices directly and the sound
// server does the routing a phone's session would. The calls are recorded, for tests and
// diagnostics, and succeed.
class DesktopAudioSession final : public AudioSession {
  public:
    bool setCategory(std::string_view category, std::string*) override {
        calls_.push_back("setCategory " + std::string(category));
        return true;
    }
    bool setCategory(std::string_view category, std::uint32_t options, std::string*) override {
        calls_.push_back("setCategory " + std::string(category) + " " + std::to_string(options));
        return true;
    }
    bool setMode(std::string_view mode, std::string*) override {
        calls_.push_back("setMode " + std::string(mode));
        return true;
    }
    bool setActive(bool active, std::string*) override {
        calls_.push_back(active ? "setActive 1" : "setActive 0");
        return true;
    }

    const std::vector<std::string>& calls() const { return calls_; }

  private:
    std::vector<std::string> calls_;
};

}  // namespace strumwise::platform::desktop
