#include "tuner/tuning_chart.h"

#include "tuner/note_names.h"

namespace strumwise::tuner {
namespace {

constexpr std::string_view kPhonePrefix = "chartiphone_";
constexpr std::string_view kPadPrefix = "chartipad_";
constexpr std::string_view kSuffix = ".png";

}  // namespace

std::string drawnChartName(bool padFamily,
                           const std::array<std::string, kStringCount>& droneFirst) {
    std::string name(padFamily ? kPadPrefix : kPhonePrefix);
    for (std::size_t i = 0; i < droneFirst.size(); ++i) {
        name += i == 0 ? "" : "_";
        name += droneFirst[i];
    }
    return name + std::string(kSuffix);
}

std::optional<DrawnChart> drawnChartOf(std::string_view imageName) {
    DrawnChart chart;
    if (imageName.starts_with(kPadPrefix)) {
        chart.padFamily = true;
        imageName.remove_prefix(kPadPrefix.size());
    } else if (imageName.starts_with(kPhonePrefix)) {
        imageName.remove_prefix(kPhonePrefix.size());
    } else {
        return std::nullopt;
    }
    if (!imageName.ends_with(kSuffix)) {
        return std::nullopt;
    }
    imageName.remove_suffix(kSuffix.size());
    for (std::size_t i = 0; i < chart.notes.size(); ++i) {
        const std::size_t end = i + 1 < chart.notes.size() ? imageName.find('_') : imageName.size();
        if (end == std::string_view::npos || !parseNoteName(imageName.substr(0, end))) {
            return std::nullopt;
        }
        chart.notes[i] = std::string(imageName.substr(0, end));
        imageName.remove_prefix(end == imageName.size() ? end : end + 1);
    }
    return chart;
}

}  // namespace strumwise::tuner
