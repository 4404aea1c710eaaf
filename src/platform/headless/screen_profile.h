#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace strumwise::platform::headless {

// The device profile the screen logic sees, as given by `--screen IDIOM:HEIGHT`.
struct ScreenProfile {
    // The interface idiom (0 phone, 1 pad, any other number as given); nullopt for a device
    // that reports none.
    std::optional<long> idiom = 0;
    // The main screen's height in points.
    double height = 667.0;
};

// Parses `phone:667`, `pad:1024` or `<number>:<height>` (e.g. `2:800`). On failure answers
// nullopt and sets `error` to one line that says what is wrong.
std::optional<ScreenProfile> parseScreenProfile(std::string_view text, std::string& error);

}  // namespace strumwise::platform::headless
