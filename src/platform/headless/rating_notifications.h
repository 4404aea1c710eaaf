#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/app_notifications.h"

namespace strumwise::platform::headless {

// Application notifications, sent when the headless run (or a test) says so. Main thread only.
class HeadlessAppNotifications final : public AppNotifications {
  public:
    std::unique_ptr<Subscription> observeWillResignActive(std::function<void()> handler) override;
    // Tells every subscriber that the application is about to resign active.
    void resignActive();

  private:
    class Token;
    std::shared_ptr<std::vector<std::shared_ptr<std::function<void()>>>> handlers_ =
        std::make_shared<std::vector<std::shared_ptr<std::function<void()>>>>();
};

}  // namespace strumwise::platform::headless
