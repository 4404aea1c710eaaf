#pragma once

#include <memory>

#include "platform/alerts.h"
#include "platform/app_notifications.h"
#include "platform/network.h"
#include "platform/run_loop.h"
#include "platform/store.h"
#include "platform/view_hierarchy.h"

namespace strumwise::platform::web {

// The page's one window: the layout's view, managed by a root controller that presents one
// controller at a time (a second presentation while one is up is refused).
class WebRootController final : public ViewController {
  public:
    explicit WebRootController(RunLoop& runLoop) : runLoop_(runLoop) {}
    ViewController* presentedViewController() const override { return presented_.get(); }
    void presentViewController(std::shared_ptr<ViewController> controller, bool animated,
                               std::function<void()> completion) override;
    void dismissViewController(bool animated, std::function<void()> completion) override;

  private:
    RunLoop& runLoop_;
    std::shared_ptr<ViewController> presented_;
};

class WebViewHierarchy final : public ViewHierarchy {
  public:
    explicit WebViewHierarchy(RunLoop& runLoop);
    ~WebViewHierarchy() override;
    Window* keyWindow() const override;
    std::vector<Window*> windows() const override;
    double normalWindowLevel() const override { return 0.0; }
    // The launch installed the layout: from now on there is a window to present from.
    void setWindowInstalled() { installed_ = true; }

  private:
    class PageWindow;
    std::unique_ptr<PageWindow> window_;
    bool installed_ = false;
};

// Alerts are modal <dialog> elements with the buttons in the order they were added.
class WebAlerts final : public Alerts {
  public:
    bool alertControllerAvailable() const override { return true; }
    std::shared_ptr<AlertController> makeAlertController(std::string_view title,
                                                         std::string_view message) override;
    std::shared_ptr<AlertView> makeAlertView(std::string_view, std::string_view, std::string_view,
                                             std::function<void(std::int64_t)>) override {
        return nullptr;
    }
    // The page's dialog `id` was closed with the button at `index`.
    static void buttonPressed(int id, int index);
};

// A browser has neither the store's rating sheet nor its product page.
class WebStore final : public StoreServices {
  public:
    bool reviewRequestAvailable() const override { return false; }
    void requestReview() override {}
    bool productPageAvailable() const override { return false; }
    std::shared_ptr<ProductPage> makeProductPage() override { return nullptr; }
};

// Reachability is the browser's online flag; the test request is a fetch nobody reads.
class WebNetwork final : public Network {
  public:
    std::optional<std::uint32_t> reachabilityFlags() override;
    std::shared_ptr<DataTask> startDataTask(std::string_view url, double timeoutSeconds) override;
};

// The page's visibility is the application's being active: hiding it (another tab, another
// application, the screen locking) is resigning active.
class WebAppNotifications final : public AppNotifications {
  public:
    bool isActive() const override;
    std::unique_ptr<Subscription> observeWillResignActive(std::function<void()> handler) override;
    static void visibilityChanged(bool visible);
};

}  // namespace strumwise::platform::web
