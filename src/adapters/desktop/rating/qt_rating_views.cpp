#include "adapters/desktop/rating/qt_rating_views.h"

#include <QApplication>

namespace strumwise::platform::desktop {

void QtRootController::presentViewController(std::shared_ptr<ViewController> controller,
                                             bool /*animated*/, std::function<void()> completion) {
    if (presented_ || !controller || window_.isNull()) {
        return;
    }
    presented_ = std::move(controller);
    if (auto* presentable = dynamic_cast<QtPresentable*>(presented_.get())) {
        presentable->presentOver(*window_, *this);
    }
    if (completion) {
        completion();
    }
}

void QtRootController::dismissViewController(bool animated, std::function<void()> completion) {
    if (presented_) {
        // The presented controller takes itself off screen and tells this one.
        const std::shared_ptr<ViewController> presented = presented_;
        presented->dismissViewController(animated, std::move(completion));
        presented_.reset();
    } else if (completion) {
        completion();
    }
}

namespace {

bool isOrdinaryWindow(const QWidget& widget) {
    return widget.windowType() == Qt::Window;
}

}  // namespace

// A top-level widget as a window. An ordinary window has one subview, its content, whose next
// responder is the window's root controller.
class QtViewHierarchy::WindowView final : public Window {
  public:
    WindowView(QWidget& widget, bool applicationWindow)
        : widget_(&widget),
          ordinary_(applicationWindow),
          content_(ordinary_ ? std::make_unique<Content>(widget) : nullptr) {}

    std::vector<View*> subviews() const override {
        return content_ ? std::vector<View*>{content_.get()} : std::vector<View*>{};
    }
    ViewController* nextResponderViewController() const override { return nullptr; }
    double windowLevel() const override { return ordinary_ ? kNormalLevel : kOverlayLevel; }
    ViewController* rootViewController() const override {
        return content_ ? &content_->controller : nullptr;
    }

  private:
    struct Content final : View {
        explicit Content(QWidget& window) : controller(window) {}
        std::vector<View*> subviews() const override { return {}; }
        ViewController* nextResponderViewController() const override { return &controller; }
        mutable QtRootController controller;
    };

    QPointer<QWidget> widget_;
    bool ordinary_;
    std::unique_ptr<Content> content_;
};

QtViewHierarchy::QtViewHierarchy(WindowFilter isApplicationWindow)
    : filter_(std::move(isApplicationWindow)), context_(std::make_unique<QObject>()) {}
QtViewHierarchy::~QtViewHierarchy() = default;

QtViewHierarchy::WindowView* QtViewHierarchy::wrap(QWidget* widget) const {
    if (widget == nullptr) {
        return nullptr;
    }
    auto found = windows_.find(widget);
    if (found == windows_.end()) {
        found = windows_
                    .emplace(widget,
                             std::make_unique<WindowView>(*widget, isApplicationWindow(*widget)))
                    .first;
        // A closed and deleted window leaves no wrapper behind; a later widget at the same
        // address gets a fresh one.
        QObject::connect(widget, &QObject::destroyed, context_.get(),
                         [this, widget] { windows_.erase(widget); });
    }
    return found->second.get();
}

bool QtViewHierarchy::isApplicationWindow(const QWidget& widget) const {
    return isOrdinaryWindow(widget) && (!filter_ || filter_(widget));
}

Window* QtViewHierarchy::keyWindow() const {
    if (QWidget* active = QApplication::activeWindow()) {
        return wrap(active);
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && isApplicationWindow(*widget)) {
            return wrap(widget);
        }
    }
    return nullptr;
}

std::vector<Window*> QtViewHierarchy::windows() const {
    std::vector<Window*> result;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) {
            result.push_back(wrap(widget));
        }
    }
    return result;
}

QtRootController* QtViewHierarchy::rootControllerFor(QWidget& window) const {
    return static_cast<QtRootController*>(wrap(&window)->rootViewController());
}

}  // namespace strumwise::platform::desktop
