#include "adapters/headless/headless_images.h"

#include <array>
#include <memory>

#include "tuner/tuning_chart.h"

namespace strumwise::platform::headless {
namespace {

class NamedImage final : public Image {
  public:
    explicit NamedImage(std::string name) : name_(std::move(name)) {}
    std::string_view name() const override { return name_; }

  private:
    std::string name_;
};

}  // namespace

std::vector<std::string> HeadlessImages::productImageNames() {
    std::vector<std::string> names{"green64.png", "green128.png", "yellow64.png", "yellow128.png"};
    constexpr std::array<std::string_view, 5> ordinals{"1st", "2nd", "3rd", "4th", "5th"};
    constexpr std::array<std::string_view, 6> suffixes{"",       "_5",    "_6",
                                                       "_6plus", "_iPad", "_iPad_Pro"};
    for (const auto ordinal : ordinals) {
        for (const auto suffix : suffixes) {
            names.push_back(std::string(ordinal) + "_string" + std::string(suffix) + ".png");
        }
    }
    for (const std::string_view family : {"chartiphone", "chartipad"}) {
        for (const std::string_view number : {"", "2", "3", "4"}) {
            names.push_back(std::string(family) + std::string(number) + ".png");
        }
    }
    return names;
}

HeadlessImages::HeadlessImages() {
    for (auto& name : productImageNames()) {
        auto image = std::make_shared<const NamedImage>(name);
        images_.emplace(std::move(name), std::move(image));
    }
}

ImageRef HeadlessImages::imageNamed(std::string_view name) const {
    if (const auto found = images_.find(name); found != images_.end()) {
        return found->second;
    }
    if (const auto found = drawnCharts_.find(name); found != drawnCharts_.end()) {
        return found->second;
    }
    if (!tuner::drawnChartOf(name)) {
        return nullptr;
    }
    auto image = std::make_shared<const NamedImage>(std::string(name));
    drawnCharts_.emplace(std::string(name), image);
    return image;
}

}  // namespace strumwise::platform::headless
