#pragma once

#include <optional>
#include <string_view>

namespace strumwise::view {

// The family of the device's screen, which picks the layout and the size-specific pictures.
enum class ScreenClass {
    iPhone4s,
    iPhone,
    iPhone6,
    iPhone6Plus,
    iPhoneX,
    iPhone12Pro,
    iPhoneXSMax,
    iPhone12ProMax,
    iPad,
    iPad_Pro_10_5,
    iPad_Mini6,
    iPad_Pro_11,
    iPad_Pro,
    unlisted,
};

// The class of a device with this interface idiom (nullopt: the device reports none and counts
// as a phone) and main-screen height in points. Heights are compared for exact equality.
ScreenClass screenClassFor(std::optional<long> idiom, double screenHeight);

// The layout name of a listed class ("Main_iPhone6"); empty for `unlisted`.
std::string_view storyboardName(ScreenClass screenClass);

}  // namespace strumwise::view
