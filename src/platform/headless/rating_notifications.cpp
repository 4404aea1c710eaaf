#include "platform/headless/rating_notifications.h"

#include <algorithm>

namespace strumwise::platform::headless {

// Removes its handler from the list when destroyed, if the list still exists.
class HeadlessAppNotifications::Token final : public AppNotifications::Subscription {
  public:
    using Handlers = std::vector<std::shared_ptr<std::function<void()>>>;
    Token(std::weak_ptr<Handlers> handlers, std::shared_ptr<std::function<void()>> handler)
        : handlers_(std::move(handlers)), handler_(std::move(handler)) {}
    ~Token() override {
        if (const auto handlers = handlers_.lock()) {
            std::erase(*handlers, handler_);
        }
    }

  private:
    std::weak_ptr<Handlers> handlers_;
    std::shared_ptr<std::function<void()>> handler_;
};

std::unique_ptr<AppNotifications::Subscription> HeadlessAppNotifications::observeWillResignActive(
    std::function<void()> handler) {
    auto shared = std::make_shared<std::function<void()>>(std::move(handler));
    handlers_->push_back(shared);
    return std::make_unique<Token>(handlers_, shared);
}

void HeadlessAppNotifications::resignActive() {
    // A copy, so that a handler may subscribe or unsubscribe while the others run.
    const auto handlers = *handlers_;
    for (const auto& handler : handlers) {
        (*handler)();
    }
}

}  // namespace strumwise::platform::headless
