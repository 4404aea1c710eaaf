#include "platform/desktop/qt_rating_notifications.h"

#include <QGuiApplication>
#include <algorithm>

namespace strumwise::platform::desktop {

class QtAppNotifications::Token final : public AppNotifications::Subscription {
  public:
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
    auto shared = std::make_shared<std::function<void()>>(std::move(handler));
    handlers_->push_back(shared);
    return std::make_unique<Token>(handlers_, shared);
}

void QtAppNotifications::resignActive() {
    // A copy, so that a handler may subscribe or unsubscribe while the others run.
    const Handlers handlers = *handlers_;
    for (const auto& handler : handlers) {
        (*handler)();
    }
}

}  // namespace strumwise::platform::desktop
