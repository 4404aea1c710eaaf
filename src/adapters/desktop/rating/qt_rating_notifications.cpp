#include "adapters/desktop/rating/qt_rating_notifications.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>

namespace strumwise::platform::desktop {

// Watches the tuner's window for the changes that the application-wide activation signal does
// not report: minimising, restoring, hiding and showing.
class QtAppNotifications::WindowEvents final : public QObject {
  public:
    explicit WindowEvents(QtAppNotifications& owner) : owner_(owner) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::WindowStateChange:
            case QEvent::WindowActivate:
            case QEvent::WindowDeactivate:
            case QEvent::Hide:
            case QEvent::Show:
                owner_.update();
                break;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QtAppNotifications& owner_;
};

QtAppNotifications::QtAppNotifications() : events_(std::make_unique<WindowEvents>(*this)) {
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        focusConnection_ = QObject::connect(application, &QGuiApplication::focusWindowChanged,
                                            events_.get(), [this] { update(); });
    }
}

QtAppNotifications::~QtAppNotifications() {
    QObject::disconnect(focusConnection_);
    if (window_) {
        window_->removeEventFilter(events_.get());
    }
}

void QtAppNotifications::watchWindow(QWidget& window) {
    if (window_) {
        window_->removeEventFilter(events_.get());
    }
    window_ = &window;
    window.installEventFilter(events_.get());
    awaitingActivation_ = true;
    active_.store(false);
    update();
    // A desktop that keeps the focus elsewhere (focus-stealing prevention) sends no event at
    // all; the grace period ends the waiting then.
    QTimer::singleShot(kActivationGraceMs, events_.get(), [this] {
        awaitingActivation_ = false;
        update();
    });
}

bool QtAppNotifications::windowInFront() const {
    if (!window_ || !window_->isVisible() || window_->isMinimized()) {
        return false;
    }
    // The window's own dialogs (the rating alert among them) keep it in front.
    for (const QWidget* active = QApplication::activeWindow(); active != nullptr;
         active = active->parentWidget() != nullptr ? active->parentWidget()->window() : nullptr) {
        if (active == window_) {
            return true;
        }
    }
    return false;
}

void QtAppNotifications::update() {
    const bool inFront = windowInFront();
    // The wait for the first activation ends with it, or when another window gets it, or when
    // the window is minimised or hidden first.
    if (inFront || QApplication::activeWindow() != nullptr || !window_ || !window_->isVisible() ||
        window_->isMinimized()) {
        awaitingActivation_ = false;
    }
    const bool active = inFront || awaitingActivation_;
    if (active_.exchange(active) && !active) {
        handlers_.callAll();
    }
}

std::unique_ptr<AppNotifications::Subscription> QtAppNotifications::observeWillResignActive(
    std::function<void()> handler) {
    return handlers_.add(std::move(handler));
}

}  // namespace strumwise::platform::desktop
