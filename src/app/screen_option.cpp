#include "app/screen_option.h"

#include <charconv>
#include <cmath>

#include "base/decimal_text.h"
#include "base/printable_text.h"
#include "base/text_format.h"
#include "platform/device.h"

namespace strumwise::app {
namespace {

// Far above any screen; keeps a mistyped height from asking for an absurd window.
constexpr double kMaxHeight = 100000.0;

std::optional<long> parseIdiom(std::string_view text) {
    if (text == "phone") {
        return platform::Device::kIdiomPhone;
    }
    if (text == "pad") {
        return platform::Device::kIdiomPad;
    }
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// The height in points; nullopt with `error` set when it is no positive number or too large.
std::optional<double> parseHeight(std::string_view text, std::string& error) {
    double value = 0.0;
    const auto [end, ec] = readDecimal(text, value, std::chars_format::general);
    const bool number = ec == std::errc() && end == text.data() + text.size() && !text.empty() &&
                        std::isfinite(value);
    if (number && value > kMaxHeight) {
        error = formatText("--screen: the height %s is too large; screens are at most %.0f points",
                           shownName(text).c_str(), kMaxHeight);
        return std::nullopt;
    }
    if (!number || value <= 0.0) {
        error = "--screen: the height must be a positive number of points, not '" +
                shownName(text) + "'";
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<ScreenOption> parseScreenOption(std::string_view text, std::string& error) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) {
        error = "--screen wants IDIOM:HEIGHT, for example phone:667 or pad:1024, not '" +
                shownName(text) + "'";
        return std::nullopt;
    }
    const auto idiom = parseIdiom(text.substr(0, colon));
    if (!idiom) {
        error = "--screen: the idiom must be phone, pad or a number, not '" +
                shownName(text.substr(0, colon)) + "'";
        return std::nullopt;
    }
    const auto height = parseHeight(text.substr(colon + 1), error);
    if (!height) {
        return std::nullopt;
    }
    return ScreenOption{*idiom, *height};
}

}  // namespace strumwise::app
