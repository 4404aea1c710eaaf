#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace strumwise::platform {

// The process's audio session: what kind of audio the application does and whether its audio
// is active. Calls that can fail answer false and, when `error` is given, fill it with a
// localized description.
class AudioSession {
  public:
    static constexpr std::string_view kCategoryPlayback = "AVAudioSessionCategoryPlayback";
    static constexpr std::string_view kCategoryPlayAndRecord =
        "AVAudioSessionCategoryPlayAndRecord";
    static constexpr std::string_view kModeMeasurement = "AVAudioSessionModeMeasurement";
    // Category option: route output to the built-in speaker by default.
    static constexpr std::uint32_t kOptionDefaultToSpeaker = 8;

    virtual ~AudioSession() = default;

    virtual bool setCategory(std::string_view category, std::string* error) = 0;
    virtual bool setCategory(std::string_view category, std::uint32_t options,
                             std::string* error) = 0;
    virtual bool setMode(std::string_view mode, std::string* error) = 0;
    virtual bool setActive(bool active, std::string* error) = 0;
};

}  // namespace strumwise::platform
