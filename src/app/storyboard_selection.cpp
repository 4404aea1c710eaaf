#include "app/storyboard_selection.h"

#include <initializer_list>

#include "base/text_format.h"

namespace strumwise::app {
namespace {

bool heightIsOneOf(double height, std::initializer_list<double> listed) {
    for (const double candidate : listed) {
        // Exact equality on purpose: a screen between two listed heights has no layout.
        if (height == candidate) {
            return true;
        }
    }
    return false;
}

}  // namespace

void initializeStoryBoardBasedOnScreenSize(const platform::Device& device, platform::Log& log,
                                           const std::function<void(std::string_view)>& install) {
    // A device that does not report its idiom counts as a phone.
    if (device.userInterfaceIdiom().value_or(platform::Device::kIdiomPhone) ==
        platform::Device::kIdiomPhone) {
        const double h = device.mainScreenHeight();
        const auto logHeight = [&] { log.write(formatText("iPhone has a height of: %f", h)); };
        if (h == 480) {
            install("Main_iPhone4s");
        }
        if (h == 568) {
            install("Main_iPhone");
        }
        if (h == 667) {
            install("Main_iPhone6");
        }
        if (h == 736) {
            install("Main_iPhone6Plus");
        }
        logHeight();
        if (h == 812) {
            install("Main_iPhoneX");
        }
        logHeight();
        if (heightIsOneOf(h, {874, 844, 852})) {
            install("Main_iPhone12Pro");
        }
        logHeight();
        if (h == 896) {
            install("Main_iPhoneXSMax");
        }
        logHeight();
        if (heightIsOneOf(h, {956, 926, 932})) {
            install("Main_iPhone12ProMax");
        }
        logHeight();
    }
    // The idiom is read again, as the layouts for tablets are a separate family.
    if (device.userInterfaceIdiom().value_or(platform::Device::kIdiomPhone) ==
        platform::Device::kIdiomPad) {
        const double h = device.mainScreenHeight();
        if (h == 1024) {
            install("Main_iPad");
        }
        if (h == 1080) {
            install("Main_iPad_Pro_10_5");
        }
        log.write(formatText("iPad has a height of: %f", h));
        if (h == 1112) {
            install("Main_iPad_Pro_10_5");
        }
        if (h == 1133) {
            install("Main_iPad_Mini6");
        }
        if (h == 1180) {
            install("Main_iPad_Pro_10_5");
        }
        if (heightIsOneOf(h, {1194, 1210})) {
            install("Main_iPad_Pro_11");
        }
        if (heightIsOneOf(h, {1366, 1376})) {
            install("Main_iPad_Pro");
        }
    }
}

}  // namespace strumwise::app
