#pragma once

#include <optional>
#include <string>

namespace strumwise::platform {

// The running device as the screen logic sees it. Read afresh at every use, never cached.
class Device {
  public:
    static constexpr long kIdiomPhone = 0;
    static constexpr long kIdiomPad = 1;

    virtual ~Device() = default;
    // The interface idiom; nullopt when the device does not report one.
    virtual std::optional<long> userInterfaceIdiom() const = 0;
    // The operating system's version text, for example "17.2".
    virtual std::string systemVersion() const = 0;
    // The height of the main screen's bounds, in points.
    virtual double mainScreenHeight() const = 0;
};

}  // namespace strumwise::platform
