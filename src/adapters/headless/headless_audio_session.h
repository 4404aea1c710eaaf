#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/audio_session.h"

namespace strumwise::platform::headless {

// An audio session that records its calls and succeeds, unless a test makes it fail: then every
// call answers false with that error description.
class HeadlessAudioSession final : public AudioSession {
  public:
    bool setCategory(std::string_view category, std::string* error) override;
    bool setCategory(std::string_view category, std::uint32_t options, std::string* error) override;
    bool setMode(std::string_view mode, std::string* error) override;
    bool setActive(bool active, std::string* error) override;

    // Every call so far as "<call> <arguments>", e.g. "setCategory
    // AVAudioSessionCategoryPlayAndRecord 8", "setActive 1".
    std::vector<std::string> calls() const;
    void failWith(std::optional<std::string> error);

  private:
    bool record(std::string call, std::string* error);

    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
    std::optional<std::string> failure_;
};

}  // namespace strumwise::platform::headless
