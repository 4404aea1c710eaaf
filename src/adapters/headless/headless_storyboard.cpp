#include "adapters/headless/headless_storyboard.h"

#include <algorithm>

#include "adapters/headless/outlet_names.h"

namespace strumwise::platform::headless {
namespace {

template <typename Map>
auto* find(Map& map, std::string_view outlet) {
    const auto found = map.find(outlet);
    return found == map.end() ? nullptr : &found->second;
}

}  // namespace

HeadlessStoryboard::HeadlessStoryboard(std::string name) : name_(std::move(name)) {
    for (const auto& outlet : kMainScreenOutlets) {
        switch (outlet.kind) {
            case OutletKind::Label:
                labels_[std::string(outlet.name)];
                break;
            case OutletKind::ImageView:
                imageViews_[std::string(outlet.name)];
                break;
            case OutletKind::Button:
                buttons_[std::string(outlet.name)];
                break;
            case OutletKind::TuningMeter:
                tuningMeters_[std::string(outlet.name)];
                break;
            case OutletKind::LevelMeter:
                levelMeters_[std::string(outlet.name)];
                break;
            case OutletKind::ScreenLook:
                screenLooks_[std::string(outlet.name)];
                break;
        }
    }
}

Label* HeadlessStoryboard::label(std::string_view outlet) {
    return find(labels_, outlet);
}

ImageView* HeadlessStoryboard::imageView(std::string_view outlet) {
    return find(imageViews_, outlet);
}

Button* HeadlessStoryboard::button(std::string_view outlet) {
    return find(buttons_, outlet);
}

TuningMeter* HeadlessStoryboard::tuningMeter(std::string_view outlet) {
    return find(tuningMeters_, outlet);
}

LevelMeter* HeadlessStoryboard::levelMeter(std::string_view outlet) {
    return find(levelMeters_, outlet);
}

ScreenLookView* HeadlessStoryboard::screenLook(std::string_view outlet) {
    return find(screenLooks_, outlet);
}

void HeadlessStoryboard::setActionHandler(std::function<void(std::string_view)> handler) {
    actionHandler_ = std::move(handler);
}

bool HeadlessStoryboard::press(std::string_view action) {
    if (!actionHandler_) {
        return false;
    }
    actionHandler_(action);
    return true;
}

const MemoryLabel* HeadlessStoryboard::labelState(std::string_view outlet) const {
    return find(labels_, outlet);
}

const MemoryImageView* HeadlessStoryboard::imageViewState(std::string_view outlet) const {
    return find(imageViews_, outlet);
}

const MemoryButton* HeadlessStoryboard::buttonState(std::string_view outlet) const {
    return find(buttons_, outlet);
}

const MemoryTuningMeter* HeadlessStoryboard::tuningMeterState(std::string_view outlet) const {
    return find(tuningMeters_, outlet);
}

const MemoryScreenLook* HeadlessStoryboard::screenLookState(std::string_view outlet) const {
    return find(screenLooks_, outlet);
}

HeadlessWindows::HeadlessWindows(std::vector<std::string> layoutNames)
    : layoutNames_(std::move(layoutNames)) {}

Storyboard* HeadlessWindows::loadStoryboard(std::string_view name) {
    if (auto* existing = loaded(name)) {
        return existing;
    }
    if (!layoutNames_.empty() &&
        std::find(layoutNames_.begin(), layoutNames_.end(), name) == layoutNames_.end()) {
        return nullptr;
    }
    auto storyboard = std::make_unique<HeadlessStoryboard>(std::string(name));
    auto* raw = storyboard.get();
    loaded_.emplace(std::string(name), std::move(storyboard));
    return raw;
}

void HeadlessWindows::installWindow(Storyboard& storyboard) {
    installed_ = &storyboard;
}

HeadlessStoryboard* HeadlessWindows::loaded(std::string_view name) {
    const auto found = loaded_.find(name);
    return found == loaded_.end() ? nullptr : found->second.get();
}

}  // namespace strumwise::platform::headless
