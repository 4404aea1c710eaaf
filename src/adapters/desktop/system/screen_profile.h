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

// The factor the window for `profile` opens at on a desktop with `availableWidth` x
// `availableHeight` pixels free: 1 when the window fits with its title bar, else the largest
// factor that fits.
double openingScale(const ScreenProfile& profile, int availableWidth, int availableHeight);

// The smallest factor the window may be shrunk to: down to 600 pixels tall, or to the opening
// factor when the desktop is smaller still; a layout shorter than 600 pixels keeps its size.
double smallestScale(const ScreenProfile& profile, double opening);

}  // namespace strumwise::platform::desktop
