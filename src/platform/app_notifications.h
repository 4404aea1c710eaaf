#pragma once

#include <functional>
#include <memory>

namespace strumwise::platform {

// Whether the application is in front, and the notification that it is about to stop being so.
class AppNotifications {
  public:
    // Keeps a subscription alive; destroying it unsubscribes.
    class Subscription {
      public:
        virtual ~Subscription() = default;
    };

    virtual ~AppNotifications() = default;
    // Whether the application is the one the user is working in now. Safe from any thread: the
    // rating prompt asks from its background queues.
    virtual bool isActive() const = 0;
    // `handler` runs on the main thread each time the application is about to stop being the
    // active one (another window or application takes the focus, the screen locks, ...).
    virtual std::unique_ptr<Subscription> observeWillResignActive(
        std::function<void()> handler) = 0;
};

}  // namespace strumwise::platform
