#pragma once

#include <QMetaObject>
#include <functional>
#include <memory>
#include <vector>

#include "base/handler_list.h"
#include "platform/app_notifications.h"

namespace strumwise::platform::desktop {

// The application resigns active when it loses the focus: another application's window (or the
// screen lock) takes it. Create, subscribe and destroy on the main thread.
class QtAppNotifications final : public AppNotifications {
  public:
    QtAppNotifications();
    ~QtAppNotifications() override;

    std::unique_ptr<Subscription> observeWillResignActive(std::function<void()> handler) override;

    // Tells every subscriber now, as losing the focus does.
    void resignActive();

  private:
    HandlerList<Subscription> handlers_;
    QMetaObject::Connection connection_;
};

}  // namespace strumwise::platform::desktop
