#pragma once

#include <QMetaObject>
#include <functional>
#include <memory>
#include <vector>

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
    class Token;
    using Handlers = std::vector<std::shared_ptr<std::function<void()>>>;

    std::shared_ptr<Handlers> handlers_ = std::make_shared<Handlers>();
    QMetaObject::Connection connection_;
};

}  // namespace strumwise::platform::desktop
