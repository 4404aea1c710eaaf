#pragma once

#include <optional>
#include <string>

namespace strumwise::platform {

// The system version every platform reports. The rules that read it (which store address to
// open, whether the fork header shows) were written for the phone's operating system, so a
// desktop's own version number would only mislead them: every platform reports a current one.
inline constexpr const char* kCurrentSystemVersion = "17.2";

// The running device as the screen logic sees it. Read afresh at every use, never cached.
class Device {
  public:
    static constexpr long kIdiomPhone = 0;
    static constexpr long kIdiomPad = 1;

    virtual ~Device() = default;
    // The interface idiom; nullopt when the device does not report one.
    virtual std::optional<long> userInterfaceIdiom() const = 0;
    // The operating system's version text, for example "17.2" (kCurrentSystemVersion).
    virtual std::string systemVersion() const = 0;
    // The height of the main screen's bounds, in points.
    virtual double mainScreenHeight() const = 0;
};

}  // namespace strumwise::platform
