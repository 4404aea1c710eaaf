#include "adapters/headless/rating_notifications.h"

namespace strumwise::platform::headless {

std::unique_ptr<AppNotifications::Subscription> HeadlessAppNotifications::observeWillResignActive(
    std::function<void()> handler) {
    return handlers_.add(std::move(handler));
}

void HeadlessAppNotifications::resignActive() {
    handlers_.callAll();
    active_.store(false);
}

}  // namespace strumwise::platform::headless
