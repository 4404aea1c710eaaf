#include "adapters/headless/headless_device.h"

namespace strumwise::platform::headless {

HeadlessDevice::HeadlessDevice(ScreenProfile profile, std::string systemVersion)
    : profile_(profile), systemVersion_(std::move(systemVersion)) {}

std::optional<long> HeadlessDevice::userInterfaceIdiom() const {
    std::lock_guard lock(mutex_);
    return profile_.idiom;
}

std::string HeadlessDevice::systemVersion() const {
    std::lock_guard lock(mutex_);
    return systemVersion_;
}

double HeadlessDevice::mainScreenHeight() const {
    std::lock_guard lock(mutex_);
    return profile_.height;
}

void HeadlessDevice::setProfile(ScreenProfile profile) {
    std::lock_guard lock(mutex_);
    profile_ = profile;
}

void HeadlessDevice::setSystemVersion(std::string version) {
    std::lock_guard lock(mutex_);
    systemVersion_ = std::move(version);
}

}  // namespace strumwise::platform::headless
