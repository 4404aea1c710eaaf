#pragma once

#include <functional>
#include <memory>

namespace strumwise::platform {

// The application-wide notifications the logic subscribes to.
class AppNotifications {
  public:
    // Keeps a subscription alive; destroying it unsubscribes.
    class Subscription {
      public:
        virtual ~Subscription() = default;
    };

    virtual ~AppNotifications() = default;
    // `handler` runs on the main thread each time the application is about to stop being the
    // active one (another window or application takes the focus, the screen locks, ...).
    virtual std::unique_ptr<Subscription> observeWillResignActive(
        std::function<void()> handler) = 0;
};

}  // namespace strumwise::platform
