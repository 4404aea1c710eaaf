#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/view_hierarchy.h"

namespace strumwise::platform::desktop {

class QtRootController;

// A controller that appears over a window when a QtRootController presents it.
class QtPresentable {
  public:
    virtual ~QtPresentable() = default;
    // Puts the controller on screen over `window`; `presenter` forgets it once it goes.
    virtual void presentOver(QWidget& window, QtRootController& presenter) = 0;
};

// The controller of an ordinary top-level window. It presents one controller at a time; a second
// presentation while one is up is refused and its completion never runs.
class QtRootController final : public ViewController {
  public:
    explicit QtRootController(QWidget& window) : window_(&window) {}

    ViewController* presentedViewController() const override { return presented_.get(); }
    void presentViewController(std::shared_ptr<ViewController> controller, bool animated,
                               std::function<void()> completion) override;
    void dismissViewController(bool animated, std::function<void()> completion) override;

    // Forgets the presented controller (it has left the screen).
    void dropPresented() { presented_.reset(); }

  private:
    QPointer<QWidget> window_;
    std::shared_ptr<ViewController> presented_;
};

// The application's windows as the rating prompt looks at them: every visible top-level widget,
// in the toolkit's order. The application's own windows sit at the normal level and are managed
// by a root controller (made on first look, kept for the window's life); dialogs, popups, tool
// windows and windows that only explain something sit above it. Main thread only.
class QtViewHierarchy final : public ViewHierarchy {
  public:
    static constexpr double kNormalLevel = 0.0;
    static constexpr double kOverlayLevel = 1.0;
    // Which ordinary windows are the application's own; none given: every one.
    using WindowFilter = std::function<bool(const QWidget& window)>;

    explicit QtViewHierarchy(WindowFilter isApplicationWindow = {});
    ~QtViewHierarchy() override;

    // The active window, or the first visible ordinary window when none is active.
    Window* keyWindow() const override;
    std::vector<Window*> windows() const override;
    double normalWindowLevel() const override { return kNormalLevel; }

    // The root controller of an ordinary window; nullptr for a dialog, popup or tool window.
    QtRootController* rootControllerFor(QWidget& window) const;

  private:
    class WindowView;
    WindowView* wrap(QWidget* widget) const;
    bool isApplicationWindow(const QWidget& widget) const;

    WindowFilter filter_;
    mutable std::map<QWidget*, std::unique_ptr<WindowView>> windows_;
    // The context of the connections that forget deleted windows: they end with the hierarchy.
    std::unique_ptr<QObject> context_;
};

}  // namespace strumwise::platform::desktop
