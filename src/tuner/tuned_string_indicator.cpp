#include "tuner/tuned_string_indicator.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "view/screen_class.h"

namespace strumwise::tuner {
namespace {

using view::ScreenClass;

// Where a screen family shows its pictures: the file-name suffix and the receiving view.
struct Placement {
    std::string_view suffix;
    platform::ImageView* view::Outlets::*view;
};

std::optional<Placement> placementFor(ScreenClass screenClass) {
    using view::Outlets;
    switch (screenClass) {
        case ScreenClass::iPhone4s:
            return Placement{"", &Outlets::tunedString};
        case ScreenClass::iPhone:
            return Placement{"_5", &Outlets::tunedString5};
        case ScreenClass::iPhone6:
            return Placement{"_6", &Outlets::tunedString5};
        case ScreenClass::iPhone6Plus:
        case ScreenClass::iPhoneX:
        case ScreenClass::iPhone12Pro:
        case ScreenClass::iPhoneXSMax:
        case ScreenClass::iPhone12ProMax:
            return Placement{"_6plus", &Outlets::tunedString5};
        case ScreenClass::iPad:
            return Placement{"_iPad", &Outlets::tunedStringiPad};
        case ScreenClass::iPad_Pro_10_5:
        case ScreenClass::iPad_Mini6:
        case ScreenClass::iPad_Pro_11:
        case ScreenClass::iPad_Pro:
            return Placement{"_iPad_Pro", &Outlets::tunedStringiPad};
        case ScreenClass::unlisted:
            break;
    }
    return std::nullopt;
}

constexpr std::array<std::string_view, 5> kOrdinals{"1st", "2nd", "3rd", "4th", "5th"};

std::string imageName(std::int64_t string, std::string_view suffix) {
    std::string name{kOrdinals[static_cast<std::size_t>(string - 1)]};
    name += "_string";
    name += suffix;
    name += ".png";
    return name;
}

std::optional<Placement> placementOn(const platform::Device& device) {
    return placementFor(
        view::screenClassFor(device.userInterfaceIdiom(), device.mainScreenHeight()));
}

bool isStringNumber(std::int64_t string) {
    return string >= 1 && string <= static_cast<std::int64_t>(kOrdinals.size());
}

}  // namespace

TunedStringIndicator::TunedStringIndicator(const view::Outlets& outlets,
                                           const platform::Device& device,
                                           const platform::Images& images)
    : outlets_(outlets), device_(device), images_(images) {}

void TunedStringIndicator::displayTunedString(std::int64_t string) {
    if (!isStringNumber(string)) {
        return;
    }
    const auto placement = placementOn(device_);
    if (!placement) {
        return;
    }
    view::setImage(outlets_.*(placement->view),
                   images_.imageNamed(imageName(string, placement->suffix)));
}

std::vector<std::string> TunedStringIndicator::pictures(const platform::Device& device) {
    std::vector<std::string> names;
    if (const auto placement = placementOn(device)) {
        for (std::int64_t string = 1; isStringNumber(string); ++string) {
            names.push_back(imageName(string, placement->suffix));
        }
    }
    return names;
}

}  // namespace strumwise::tuner
