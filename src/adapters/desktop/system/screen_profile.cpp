#include "adapters/desktop/system/screen_profile.h"

#include <algorithm>
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

// A window is never made shorter than this by hand; the player can still read the page.
constexpr double kShortestWindow = 600.0;

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

ScreenProfile screenProfile(std::optional<long> idiom, double height) {
    return ScreenProfile{idiom, height, widthFor(idiom.value_or(kPhone), height)};
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

double openingScale(const ScreenProfile& profile, int availableWidth, int availableHeight) {
    if (profile.width <= 0 || profile.height <= 0) {
        return 1.0;
    }
    const double fits = std::min({1.0, availableWidth / static_cast<double>(profile.width),
                                  (availableHeight - kWindowFrameAllowance) / profile.height});
    // A desktop too small for any sensible page still gets one that can be enlarged.
    return std::max(fits, 0.1);
}

double smallestScale(const ScreenProfile& profile, double opening) {
    const double shortest = profile.height > 0 ? kShortestWindow / profile.height : 1.0;
    return std::min({1.0, shortest, opening});
}

}  // namespace strumwise::platform::desktop
