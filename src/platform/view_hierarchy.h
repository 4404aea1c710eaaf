#pragma once

#include <functional>
#include <memory>
#include <vector>

namespace strumwise::platform {

class ViewController;

// A view of the window tree. All calls on the main thread; the platform owns the views, and the
// pointers handed out stay valid until control returns to the run loop.
class View {
  public:
    virtual ~View() = default;
    // The direct subviews, front to back as the platform orders them.
    virtual std::vector<View*> subviews() const = 0;
    // The controller that manages this view when the view's next responder is a view controller;
    // nullptr when the next responder is anything else (a superview, a window, nothing).
    virtual ViewController* nextResponderViewController() const = 0;
};

// A controller of a screen's worth of views, which can present another controller modally.
class ViewController {
  public:
    virtual ~ViewController() = default;
    // The controller this one presents at the moment, or nullptr.
    virtual ViewController* presentedViewController() const = 0;
    // Presents `controller` over this one; the platform keeps it while it is presented.
    // `completion` (may be empty) runs on the main thread once the presentation has finished.
    virtual void presentViewController(std::shared_ptr<ViewController> controller, bool animated,
                                       std::function<void()> completion) = 0;
    // Dismisses this controller if it is presented, or the one it presents; `completion` (may be
    // empty) runs on the main thread once the dismissal has finished.
    virtual void dismissViewController(bool animated, std::function<void()> completion) = 0;
};

// A top-level window: a view with a stacking level and a root controller.
class Window : public View {
  public:
    virtual double windowLevel() const = 0;
    virtual ViewController* rootViewController() const = 0;
};

// The application's windows as the platform stacks them.
class ViewHierarchy {
  public:
    virtual ~ViewHierarchy() = default;
    // The window that receives key events, or nullptr.
    virtual Window* keyWindow() const = 0;
    // Every window of the application, in the platform's window order.
    virtual std::vector<Window*> windows() const = 0;
    // The level of ordinary application windows; alerts and the like sit above it.
    virtual double normalWindowLevel() const = 0;
};

}  // namespace strumwise::platform
