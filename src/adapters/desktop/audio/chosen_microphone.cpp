#include "adapters/desktop/audio/chosen_microphone.h"

#include <algorithm>

namespace strumwise::platform::desktop {

void ChosenMicrophone::choose(std::optional<AudioDeviceDescription> chosen) {
    chosen_ = std::move(chosen);
    gone_ = false;
}

ChosenMicrophone::Change ChosenMicrophone::update(
    const std::vector<AudioDeviceDescription>& devices) {
    const auto heard = std::find_if(devices.begin(), devices.end(), [](const auto& device) {
        return device.isDefaultInput && device.inputChannels > 0;
    });
    heard_ = heard != devices.end() ? heard->name : std::string();
    if (!chosen_) {
        return Change::None;
    }
    // By the server's own name, which a device keeps when it is plugged in again.
    const auto found = std::find_if(devices.begin(), devices.end(), [this](const auto& device) {
        return device.id == chosen_->id && device.inputChannels > 0;
    });
    const bool present = found != devices.end();
    if (present) {
        chosen_ = *found;  // its number and description as the server gives them now
    }
    if (present == !gone_) {
        return Change::None;
    }
    gone_ = !present;
    return gone_ ? Change::Gone : Change::Back;
}

}  // namespace strumwise::platform::desktop
