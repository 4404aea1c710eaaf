#pragma once

#include "adapters/desktop/system/screen_profile.h"
#include "platform/device.h"

namespace strumwise::platform::desktop {

// The device the window pretends to be (from --screen or the desktop's height), running the
// current system version, as the headless device does: the desktop's own version says nothing
// about what the phone's rules ask.
class QtDevice final : public Device {
  public:
    explicit QtDevice(ScreenProfile profile) : profile_(std::move(profile)) {}

    std::optional<long> userInterfaceIdiom() const override { return profile_.idiom; }
    std::string systemVersion() const override;
    double mainScreenHeight() const override { return profile_.height; }

    const ScreenProfile& profile() const { return profile_; }

  private:
    ScreenProfile profile_;
};

// The tallest phone layout that fits the primary screen's available height (a QGuiApplication
// must exist).
ScreenProfile desktopDefaultProfile();

}  // namespace strumwise::platform::desktop
