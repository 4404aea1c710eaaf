#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "base/handler_list.h"
#include "platform/app_notifications.h"

namespace strumwise::platform::headless {

// The application in front from the start; it resigns and becomes active when a test says so.
// Main thread only, except isActive.
class HeadlessAppNotifications final : public AppNotifications {
  public:
    bool isActive() const override { return active_.load(); }
    std::unique_ptr<Subscription> observeWillResignActive(std::function<void()> handler) override;
    // Tells every subscriber that the application is about to resign active, then leaves it
    // inactive.
    void resignActive();
    void becomeActive() { active_.store(true); }

  private:
    HandlerList<Subscription> handlers_;
    std::atomic<bool> active_{true};
};

}  // namespace strumwise::platform::headless
