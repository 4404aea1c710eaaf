#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace strumwise::platform::desktop {

// The device the window pretends to be: interface idiom, main-screen height in points, and the
// matching width for the window. Points are shown as desktop pixels.
struct ScreenProfile {
    std::optional<long> idiom;
    double height = 0.0;
    int width = 0;

    // "phone:667", "pad:1024", or the idiom's number when it is neither.
    std::string text() const;
};

// A screen size that one of the layouts is made for.
struct ListedScreen {
    long idiom;
    int height;
    int width;
};

// Every idiom and height that has a layout, phones then pads, shortest first.
std::span<const ListedScreen> listedScreens();

// The profile for an idiom and a height, as `--screen` gives them: the listed width when the
// size has a layout, else a phone's or a pad's proportions.
ScreenProfile screenProfile(std::optional<long> idiom, double height);

// The tallest listed phone whose window fits in `availableHeight` pixels, leaving room for the
// window's title bar; the shortest phone when none fits.
ScreenProfile defaultPhoneProfile(int availableHeight);

}  // namespace strumwise::platform::desktop
