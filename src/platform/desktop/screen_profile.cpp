#include "platform/desktop/screen_profile.h"

#include <array>
#include <charconv>
#include <cmath>

#include "platform/device.h"

namespace strumwise::platform::desktop {
namespace {

constexpr long kPhone = Device::kIdiomPhone;
constexpr long kPad = Device::kIdiomPad;

// Heights are those of the screen classes; widths are the devices' own, in points.
constexpr std::array<ListedScreen, 21> kListed{{
    {kPhone, 480, 320}, {kPhone, 568, 320}, {kPhone, 667, 375}, {kPhone, 736, 414},
    {kPhone, 812, 375}, {kPhone, 844, 390}, {kPhone, 852, 393}, {kPhone, 874, 402},
    {kPhone, 896, 414}, {kPhone, 926, 428}, {kPhone, 932, 430}, {kPhone, 956, 440},
    {kPad, 1024, 768},  {kPad, 1080, 810},  {kPad, 1112, 834},  {kPad, 1133, 744},
    {kPad, 1180, 820},  {kPad, 1194, 834},  {kPad, 1210, 834},  {kPad, 1366, 1024},
    {kPad, 1376, 1032},
}};

// Room for a window manager's title bar and frame above the screen-sized client area.
constexpr int kWindowFrameAllowance = 40;

std::optional<long> parseIdiom(std::string_view text) {
    if (text == "phone") {
        return kPhone;
    }
    if (text == "pad") {
        return kPad;
    }
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> parseHeight(std::string_view text) {
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty() ||
        !std::isfinite(value) || value <= 0.0 || value > 100000.0) {
        return std::nullopt;
    }
    return value;
}

// A width for a height without a layout: a phone-like 9:16 (unused but for the window size).
int widthFor(long idiom, double height) {
    for (const auto& screen : kListed) {
        if (screen.idiom == idiom && screen.height == height) {
            return screen.width;
        }
    }
    return static_cast<int>(std::lround(height * (idiom == kPad ? 0.75 : 0.5625)));
}

}  // namespace

std::string ScreenProfile::text() const {
    std::string idiomText = "phone";
    if (idiom.has_value() && *idiom == kPad) {
        idiomText = "pad";
    } else if (idiom.has_value() && *idiom != kPhone) {
        idiomText = std::to_string(*idiom);
    }
    char heightText[32];
    const auto [end, ec] = std::to_chars(heightText, heightText + sizeof heightText, height);
    return idiomText + ":" + std::string(heightText, ec == std::errc() ? end : heightText);
}

std::span<const ListedScreen> listedScreens() {
    return kListed;
}

std::optional<ScreenProfile> parseScreenProfile(std::string_view text, std::string* error) {
    const auto colon = text.find(':');
    const auto fail = [&](const std::string& why) -> std::optional<ScreenProfile> {
        if (error != nullptr) {
            *error = why;
        }
        return std::nullopt;
    };
    if (colon == std::string_view::npos) {
        return fail("--screen wants IDIOM:HEIGHT, for example phone:667 or pad:1024, not \"" +
                    std::string(text) + "\"");
    }
    const auto idiom = parseIdiom(text.substr(0, colon));
    if (!idiom) {
        return fail("--screen: the idiom must be phone, pad or a number, not \"" +
                    std::string(text.substr(0, colon)) + "\"");
    }
    const auto height = parseHeight(text.substr(colon + 1));
    if (!height) {
        return fail("--screen: the height must be a positive number of points, not \"" +
                    std::string(text.substr(colon + 1)) + "\"");
    }
    return ScreenProfile{*idiom, *height, widthFor(*idiom, *height)};
}

ScreenProfile defaultPhoneProfile(int availableHeight) {
    const ListedScreen* chosen = &kListed.front();
    for (const auto& screen : kListed) {
        if (screen.idiom == kPhone && screen.height + kWindowFrameAllowance <= availableHeight) {
            chosen = &screen;
        }
    }
    return ScreenProfile{chosen->idiom, static_cast<double>(chosen->height), chosen->width};
}

}  // namespace strumwise::platform::desktop
