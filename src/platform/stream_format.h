#pragma once

#include <cstdint>

namespace strumwise::platform {

// A linear PCM stream description, field by field as the audio services take it.
struct StreamFormat {
    double sampleRate = 0.0;
    std::uint32_t formatID = 0;
    std::uint32_t formatFlags = 0;
    std::uint32_t bytesPerPacket = 0;
    std::uint32_t framesPerPacket = 0;
    std::uint32_t bytesPerFrame = 0;
    std::uint32_t channelsPerFrame = 0;
    std::uint32_t bitsPerChannel = 0;
    std::uint32_t reserved = 0;

    bool operator==(const StreamFormat&) const = default;
};

// Four-character code 'lpcm'.
inline constexpr std::uint32_t kFormatLinearPCM = 0x6C70636D;
inline constexpr std::uint32_t kFormatFlagIsSignedInteger = 4;
inline constexpr std::uint32_t kFormatFlagIsPacked = 8;

}  // namespace strumwise::platform
