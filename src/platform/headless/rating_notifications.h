#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "base/handler_list.h"
#include "platform/app_notifications.h"

namespace strumwise::platform::headless {

// Application notifications, sent when the headless run (or a test) says so. Main thread only.
class HeadlessAppNotifications final : public AppNotifications {
  public:
    std::unique_ptr<Subscription> observeWillResignActive(std::function<void()> handler) override;
    // Tells every subscriber that the application is about to resign active.
    void resignActive();

  private:
    HandlerList<Subscription> handlers_;
};

}  // namespace strumwise::platform::headless
