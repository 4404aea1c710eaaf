#include "platform/headless/screen_profile.h"

#include <charconv>
#include <cmath>

#include "platform/device.h"

namespace strumwise::platform::headless {
namespace {

template <typename Number>
std::optional<Number> parseWhole(std::string_view text) {
    Number value{};
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<ScreenProfile> parseScreenProfile(std::string_view text, std::string& error) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) {
        error = "expected IDIOM:HEIGHT (for example phone:667 or pad:1024), got '" +
                std::string(text) + "'";
        return std::nullopt;
    }
    const std::string_view idiomText = text.substr(0, colon);
    const std::string_view heightText = text.substr(colon + 1);

    ScreenProfile profile;
    if (idiomText == "phone") {
        profile.idiom = Device::kIdiomPhone;
    } else if (idiomText == "pad") {
        profile.idiom = Device::kIdiomPad;
    } else if (const auto number = parseWhole<long>(idiomText)) {
        profile.idiom = *number;
    } else {
        error = "unknown idiom '" + std::string(idiomText) + "' (use phone, pad or a number)";
        return std::nullopt;
    }

    const auto height = parseWhole<double>(heightText);
    if (!height || !std::isfinite(*height) || *height <= 0.0) {
        error = "screen height must be a positive number of points, got '" +
                std::string(heightText) + "'";
        return std::nullopt;
    }
    profile.height = *height;
    return profile;
}

}  // namespace strumwise::platform::headless
