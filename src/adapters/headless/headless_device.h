#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>

#include "adapters/headless/screen_profile.h"
#include "platform/device.h"

namespace strumwise::platform::headless {

// The device as `--screen` describes it, with a fixed system version. Tests may change the
// profile between calls; the logic reads it afresh at every use.
class HeadlessDevice final : public Device {
  public:
    static constexpr const char* kDefaultSystemVersion = kCurrentSystemVersion;

    explicit HeadlessDevice(ScreenProfile profile = {},
                            std::string systemVersion = kDefaultSystemVersion);

    std::optional<long> userInterfaceIdiom() const override;
    std::string systemVersion() const override;
    double mainScreenHeight() const override;

    void setProfile(ScreenProfile profile);
    void setSystemVersion(std::string version);

  private:
    mutable std::mutex mutex_;
    ScreenProfile profile_;
    std::string systemVersion_;
};

}  // namespace strumwise::platform::headless
