#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>

#include "base/handler_list.h"
#include "platform/app_notifications.h"

namespace strumwise::platform::desktop {

// The application is active while the tuner's window is the active window (or one of its own
// dialogs is) and is not minimised. It resigns active when another window, of this or another
// application, takes the activation, or when the tuner's window is minimised or hidden. Create,
// watch and destroy on the main thread; isActive is safe from any thread.
class QtAppNotifications final : public AppNotifications {
  public:
    QtAppNotifications();
    ~QtAppNotifications() override;

    // The tuner's window; until one is watched the application never counts as active. A window
    // just shown counts as in front until the desktop's activation events say otherwise, so that
    // work started by the launch does not depend on how fast the desktop activates it.
    void watchWindow(QWidget& window);

    bool isActive() const override { return active_.load(); }
    std::unique_ptr<Subscription> observeWillResignActive(std::function<void()> handler) override;

    // How long a window just shown may wait for its activation before it counts as behind.
    static constexpr int kActivationGraceMs = 2000;

  private:
    class WindowEvents;

    // Reads the window's state afresh; tells every subscriber when the application stops being
    // active.
    void update();
    bool windowInFront() const;

    HandlerList<Subscription> handlers_;
    QPointer<QWidget> window_;
    std::unique_ptr<WindowEvents> events_;
    QMetaObject::Connection focusConnection_;
    // The watched window was just shown and the desktop has not yet activated it.
    bool awaitingActivation_ = false;
    std::atomic<bool> active_{false};
};

}  // namespace strumwise::platform::desktop
