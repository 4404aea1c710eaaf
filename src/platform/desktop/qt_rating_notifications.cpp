#include "platform/desktop/qt_rating_notifications.h"

#include <QGuiApplication>

namespace strumwise::platform::desktop {

QtAppNotifications::QtAppNotifications() {
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (application == nullptr) {
        return;
    }
    connection_ = QObject::connect(
        application, &QGuiApplication::applicationStateChanged,
        [this, wasActive = application->applicationState() ==
                           Qt::ApplicationActive](Qt::ApplicationState state) mutable {
            const bool active = state == Qt::ApplicationActive;
            if (wasActive && !active) {
                resignActive();
            }
            wasActive = active;
        });
}

QtAppNotifications::~QtAppNotifications() {
    QObject::disconnect(connection_);
}

std::unique_ptr<AppNotifications::Subscription> QtAppNotifications::observeWillResignActive(
    std::function<void()> handler) {
    return handlers_.add(std::move(handler));
}

void QtAppNotifications::resignActive() {
    handlers_.callAll();
}

}  // namespace strumwise::platform::desktop
