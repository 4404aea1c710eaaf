#pragma once

#include <optional>

namespace strumwise::platform::headless {

// The device profile the screen logic sees, as given by `--screen IDIOM:HEIGHT`.
struct ScreenProfile {
    // The interface idiom (0 phone, 1 pad, any other number as given); nullopt for a device
    // that reports none.
    std::optional<long> idiom = 0;
    // The main screen's height in points.
    double height = 667.0;
};

}  // namespace strumwise::platform::headless
