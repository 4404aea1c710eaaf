#pragma once

#include <memory>
#include <vector>

#include "platform/view_hierarchy.h"

namespace strumwise::platform::headless {

class HeadlessRootController;

// A headless controller that wants to know when it comes on screen and goes.
class HeadlessPresentable {
  public:
    virtual ~HeadlessPresentable() = default;
    // `presenter` is nullptr once the controller is no longer presented.
    virtual void presentedBy(HeadlessRootController* presenter) = 0;
};

// The main window's root controller. It presents one controller at a time, at once, as the
// platform does: a second presentation while one is up is refused and its completion never runs.
class HeadlessRootController final : public ViewController {
  public:
    ViewController* presentedViewController() const override { return presented_.get(); }
    void presentViewController(std::shared_ptr<ViewController> controller, bool animated,
                               std::function<void()> completion) override;
    void dismissViewController(bool animated, std::function<void()> completion) override;

    // Forgets the presented controller, telling it so.
    void dropPresented();

  private:
    std::shared_ptr<ViewController> presented_;
};

// The headless window tree: the main window at the normal level, whose content view is managed
// by the root controller; or no window at all while the launch has installed none (a screen
// without a layout). Main thread only.
class HeadlessViewHierarchy final : public ViewHierarchy {
  public:
    explicit HeadlessViewHierarchy(bool mainWindowInstalled = true);
    ~HeadlessViewHierarchy() override;

    void setMainWindowInstalled(bool installed) { installed_ = installed; }

    Window* keyWindow() const override;
    std::vector<Window*> windows() const override;
    double normalWindowLevel() const override { return 0.0; }

    HeadlessRootController& rootController() { return root_; }

  private:
    class ContentView;
    class MainWindow;

    HeadlessRootController root_;
    std::unique_ptr<ContentView> content_;
    std::unique_ptr<MainWindow> window_;
    bool installed_;
};

}  // namespace strumwise::platform::headless
