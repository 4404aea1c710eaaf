#include "adapters/web/web_rating.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "adapters/web/browser.h"

namespace strumwise::platform::web {

namespace {

class WebAlertController;

// The alerts on screen, by the id of their dialog.
std::map<int, WebAlertController*> shownAlerts;
int nextAlertId = 1;

class WebAlertController final : public AlertController {
  public:
    WebAlertController(std::string_view title, std::string_view message)
        : title_(title), message_(message) {}
    ~WebAlertController() override { close(); }
    WebAlertController(const WebAlertController&) = delete;
    WebAlertController& operator=(const WebAlertController&) = delete;

    void addAction(std::string_view title, AlertActionStyle style,
                   std::function<void(std::string_view pressedTitle)> handler) override {
        if (style == AlertActionStyle::Cancel) {
            cancelIndex_ = static_cast<int>(actions_.size());
        }
        actions_.push_back({std::string(title), std::move(handler)});
    }
    bool isInViewHierarchy() const override { return id_ != 0; }
    ViewController* presentedViewController() const override { return nullptr; }
    void presentViewController(std::shared_ptr<ViewController>, bool,
                               std::function<void()>) override {}
    void dismissViewController(bool animated, std::function<void()> completion) override {
        if (presenter_ != nullptr) {
            presenter_->dismissViewController(animated, std::move(completion));
        }
    }

    void show(ViewController& presenter) {
        presenter_ = &presenter;
        id_ = nextAlertId++;
        shownAlerts[id_] = this;
        std::string titles;
        for (const auto& action : actions_) {
            titles += (titles.empty() ? "" : "\n") + action.title;
        }
        browser::showAlert(id_, title_, message_, titles, cancelIndex_);
    }
    void close() {
        if (id_ != 0) {
            browser::closeAlert(id_);
            shownAlerts.erase(id_);
            id_ = 0;
        }
    }
    void press(int index) {
        if (index < 0 || index >= static_cast<int>(actions_.size())) {
            return;
        }
        // The handler may release the last reference to this alert, so it runs from copies.
        const std::string title = actions_[static_cast<std::size_t>(index)].title;
        const auto handler = actions_[static_cast<std::size_t>(index)].handler;
        ViewController* presenter = presenter_;
        close();
        if (presenter != nullptr) {
            presenter->dismissViewController(true, {});
        }
        if (handler) {
            handler(title);
        }
    }

  private:
    struct Action {
        std::string title;
        std::function<void(std::string_view)> handler;
    };
    std::string title_;
    std::string message_;
    std::vector<Action> actions_;
    int cancelIndex_ = -1;
    int id_ = 0;
    ViewController* presenter_ = nullptr;
};

std::list<std::function<void()>*> resignActiveHandlers;

}  // namespace

void WebRootController::presentViewController(std::shared_ptr<ViewController> controller,
                                              bool /*animated*/, std::function<void()> completion) {
    if (presented_ || !controller) {
        return;
    }
    presented_ = std::move(controller);
    if (auto* alert = dynamic_cast<WebAlertController*>(presented_.get())) {
        alert->show(*this);
    }
    if (completion) {
        runLoop_.postToMain(std::move(completion));
    }
}

void WebRootController::dismissViewController(bool /*animated*/, std::function<void()> completion) {
    if (auto* alert = dynamic_cast<WebAlertController*>(presented_.get())) {
        alert->close();
    }
    presented_.reset();
    if (completion) {
        runLoop_.postToMain(std::move(completion));
    }
}

// The window and its one subview, the layout, whose next responder is the root controller.
class WebViewHierarchy::PageWindow final : public Window {
  public:
    explicit PageWindow(RunLoop& runLoop) : controller_(runLoop), content_(controller_) {}
    std::vector<View*> subviews() const override { return {const_cast<Content*>(&content_)}; }
    ViewController* nextResponderViewController() const override { return nullptr; }
    double windowLevel() const override { return 0.0; }
    ViewController* rootViewController() const override {
        return const_cast<WebRootController*>(&controller_);
    }

  private:
    class Content final : public View {
      public:
        explicit Content(WebRootController& controller) : controller_(controller) {}
        std::vector<View*> subviews() const override { return {}; }
        ViewController* nextResponderViewController() const override { return &controller_; }

      private:
        WebRootController& controller_;
    };
    WebRootController controller_;
    Content content_;
};

WebViewHierarchy::WebViewHierarchy(RunLoop& runLoop)
    : window_(std::make_unique<PageWindow>(runLoop)) {}

WebViewHierarchy::~WebViewHierarchy() = default;

Window* WebViewHierarchy::keyWindow() const {
    return installed_ ? window_.get() : nullptr;
}

std::vector<Window*> WebViewHierarchy::windows() const {
    return installed_ ? std::vector<Window*>{window_.get()} : std::vector<Window*>{};
}

std::shared_ptr<AlertController> WebAlerts::makeAlertController(std::string_view title,
                                                                std::string_view message) {
    return std::make_shared<WebAlertController>(title, message);
}

void WebAlerts::buttonPressed(int id, int index) {
    if (const auto found = shownAlerts.find(id); found != shownAlerts.end()) {
        found->second->press(index);
    }
}

std::optional<std::uint32_t> WebNetwork::reachabilityFlags() {
    return browser::isOnline() ? kReachabilityReachable : 0;
}

std::shared_ptr<DataTask> WebNetwork::startDataTask(std::string_view url, double timeoutSeconds) {
    class FetchTask final : public DataTask {
      public:
        State state() const override { return State::Running; }
    };
    browser::fetchAndForget(url, timeoutSeconds);
    return std::make_shared<FetchTask>();
}

bool WebAppNotifications::isActive() const {
    return browser::isVisible();
}

std::unique_ptr<AppNotifications::Subscription> WebAppNotifications::observeWillResignActive(
    std::function<void()> handler) {
    class HandlerSubscription final : public Subscription {
      public:
        explicit HandlerSubscription(std::function<void()> handler) : handler_(std::move(handler)) {
            resignActiveHandlers.push_back(&handler_);
        }
        ~HandlerSubscription() override { resignActiveHandlers.remove(&handler_); }
        HandlerSubscription(const HandlerSubscription&) = delete;
        HandlerSubscription& operator=(const HandlerSubscription&) = delete;

      private:
        std::function<void()> handler_;
    };
    return std::make_unique<HandlerSubscription>(std::move(handler));
}

void WebAppNotifications::visibilityChanged(bool visible) {
    if (visible) {
        return;
    }
    // A handler may unsubscribe itself or another while they run: each one is looked up again.
    const auto handlers = resignActiveHandlers;
    for (auto* handler : handlers) {
        if (std::find(resignActiveHandlers.begin(), resignActiveHandlers.end(), handler) !=
            resignActiveHandlers.end()) {
            (*handler)();
        }
    }
}

}  // namespace strumwise::platform::web

extern "C" EMSCRIPTEN_KEEPALIVE void strumwise_alert_pressed(int id, int index) {
    strumwise::platform::web::WebAlerts::buttonPressed(id, index);
}
