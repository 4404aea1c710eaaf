#pragma once

// Small stand-ins for the platform services the rating prompt adds: network, alerts, store,
// windows and application notifications. Each remembers what was asked of it.

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/alerts.h"
#include "platform/app_notifications.h"
#include "platform/bundle.h"
#include "platform/network.h"
#include "platform/store.h"
#include "platform/view_hierarchy.h"
#include "rating/rating_prompt_delegate.h"

namespace strumwise::rating::testing {

class FakeDataTask final : public platform::DataTask {
  public:
    explicit FakeDataTask(State state) : state_(state) {}
    State state() const override { return state_; }

  private:
    State state_;
};

// Reachable by default. Safe from any thread.
class FakeNetwork final : public platform::Network {
  public:
    std::optional<std::uint32_t> reachabilityFlags() override {
        ++probes;
        const std::lock_guard lock(mutex_);
        return flags_;
    }
    std::shared_ptr<platform::DataTask> startDataTask(std::string_view url,
                                                      double timeoutSeconds) override {
        ++requests;
        const std::lock_guard lock(mutex_);
        lastUrl_ = url;
        lastTimeout_ = timeoutSeconds;
        return std::make_shared<FakeDataTask>(taskState_);
    }

    void setFlags(std::optional<std::uint32_t> flags) {
        const std::lock_guard lock(mutex_);
        flags_ = flags;
    }
    void setTaskState(platform::DataTask::State state) {
        const std::lock_guard lock(mutex_);
        taskState_ = state;
    }
    std::string lastUrl() const {
        const std::lock_guard lock(mutex_);
        return lastUrl_;
    }
    double lastTimeout() const {
        const std::lock_guard lock(mutex_);
        return lastTimeout_;
    }

    std::atomic<int> probes{0};
    std::atomic<int> requests{0};

  private:
    mutable std::mutex mutex_;
    std::optional<std::uint32_t> flags_ = platform::kReachabilityReachable;
    platform::DataTask::State taskState_ = platform::DataTask::State::Running;
    std::string lastUrl_;
    double lastTimeout_ = 0.0;
};

class FakeViewController;

// A presented controller that learns who presents it (nullptr: no longer presented).
class Presentable {
  public:
    virtual ~Presentable() = default;
    virtual void presentedBy(FakeViewController* presenter) = 0;
};

// A controller that presents others; presenting puts the presented controller on screen at once
// and runs the completion, and so does dismissing.
class FakeViewController : public platform::ViewController, public Presentable {
  public:
    platform::ViewController* presentedViewController() const override { return presented_.get(); }
    void presentViewController(std::shared_ptr<platform::ViewController> controller, bool animated,
                               std::function<void()> completion) override {
        lastPresentAnimated = animated;
        ++presentCount;
        presented_ = std::move(controller);
        if (auto* presentable = dynamic_cast<Presentable*>(presented_.get())) {
            presentable->presentedBy(this);
        }
        if (completion) {
            completion();
        }
    }
    void dismissViewController(bool animated, std::function<void()> completion) override {
        lastDismissAnimated = animated;
        ++dismissCount;
        if (presented_) {
            dropPresented();
        } else if (presenter_ != nullptr) {
            presenter_->dropPresented();
        }
        if (completion) {
            completion();
        }
    }
    void presentedBy(FakeViewController* presenter) override { presenter_ = presenter; }

    // Forgets the presented controller, telling it so.
    void dropPresented() {
        if (auto* presentable = dynamic_cast<Presentable*>(presented_.get())) {
            presentable->presentedBy(nullptr);
        }
        presented_.reset();
    }

    int presentCount = 0;
    int dismissCount = 0;
    std::optional<bool> lastPresentAnimated;
    std::optional<bool> lastDismissAnimated;

  private:
    FakeViewController* presenter_ = nullptr;
    std::shared_ptr<platform::ViewController> presented_;
};

struct AlertAction {
    std::string title;
    platform::AlertActionStyle style;
    std::function<void(std::string_view)> handler;
};

class FakeAlertController final : public platform::AlertController, public Presentable {
  public:
    FakeAlertController(std::string alertTitle, std::string alertMessage)
        : title(std::move(alertTitle)), message(std::move(alertMessage)) {}

    void addAction(std::string_view actionTitle, platform::AlertActionStyle style,
                   std::function<void(std::string_view)> handler) override {
        actions.push_back({std::string(actionTitle), style, std::move(handler)});
    }
    bool isInViewHierarchy() const override { return onScreen.load(); }

    platform::ViewController* presentedViewController() const override { return nullptr; }
    void presentViewController(std::shared_ptr<platform::ViewController>, bool,
                               std::function<void()>) override {}
    void dismissViewController(bool animated, std::function<void()> completion) override {
        ++dismissCount;
        lastDismissAnimated = animated;
        if (presenter_ != nullptr) {
            presenter_->dropPresented();
        }
        if (completion) {
            completion();
        }
    }
    void presentedBy(FakeViewController* presenter) override {
        presenter_ = presenter;
        onScreen = presenter != nullptr;
    }

    // The user presses the button with that title: the alert goes away, then its handler runs.
    void press(std::string_view pressed) {
        for (const AlertAction& action : actions) {
            if (action.title == pressed) {
                const std::function<void(std::string_view)> handler = action.handler;
                const std::string pressedTitle = action.title;
                if (presenter_ != nullptr) {
                    presenter_->dropPresented();
                }
                handler(pressedTitle);
                return;
            }
        }
    }
    std::vector<std::string> titles() const {
        std::vector<std::string> result;
        for (const AlertAction& action : actions) {
            result.push_back(action.title);
        }
        return result;
    }

    std::string title;
    std::string message;
    std::vector<AlertAction> actions;
    std::atomic<bool> onScreen{false};
    int dismissCount = 0;
    std::optional<bool> lastDismissAnimated;

  private:
    FakeViewController* presenter_ = nullptr;
};

class FakeAlertView final : public platform::AlertView {
  public:
    FakeAlertView(std::string alertTitle, std::string alertMessage, std::string cancelTitle,
                  std::function<void(std::int64_t)> didDismiss)
        : title(std::move(alertTitle)),
          message(std::move(alertMessage)),
          buttons{std::move(cancelTitle)},
          didDismiss_(std::move(didDismiss)) {}

    std::int64_t addButtonWithTitle(std::string_view buttonTitle) override {
        buttons.emplace_back(buttonTitle);
        return static_cast<std::int64_t>(buttons.size()) - 1;
    }
    void show() override { visible = true; }
    bool isVisible() const override { return visible.load(); }
    void dismissWithClickedButtonIndex(std::int64_t index, bool animated) override {
        visible = false;
        lastDismissAnimated = animated;
        didDismiss_(index);
    }

    std::string title;
    std::string message;
    std::vector<std::string> buttons;
    std::atomic<bool> visible{false};
    std::optional<bool> lastDismissAnimated;

  private:
    std::function<void(std::int64_t)> didDismiss_;
};

// Every alert made, newest last. Made alerts come on screen when presented or shown.
class FakeAlerts final : public platform::Alerts {
  public:
    bool alertControllerAvailable() const override { return controllerStyle; }
    std::shared_ptr<platform::AlertController> makeAlertController(
        std::string_view title, std::string_view message) override {
        auto alert =
            std::make_shared<FakeAlertController>(std::string(title), std::string(message));
        controllers.push_back(alert);
        return alert;
    }
    std::shared_ptr<platform::AlertView> makeAlertView(
        std::string_view title, std::string_view message, std::string_view cancelButtonTitle,
        std::function<void(std::int64_t)> didDismiss) override {
        auto alert =
            std::make_shared<FakeAlertView>(std::string(title), std::string(message),
                                            std::string(cancelButtonTitle), std::move(didDismiss));
        views.push_back(alert);
        return alert;
    }

    bool controllerStyle = true;
    std::vector<std::shared_ptr<FakeAlertController>> controllers;
    std::vector<std::shared_ptr<FakeAlertView>> views;
};

class FakeProductPage final : public platform::ProductPage, public Presentable {
  public:
    void loadProduct(std::int64_t itemIdentifier) override { loadedItem = itemIdentifier; }
    void setDidFinishHandler(std::function<void()> didFinish) override {
        didFinish_ = std::move(didFinish);
    }
    platform::ViewController* presentedViewController() const override { return nullptr; }
    void presentViewController(std::shared_ptr<platform::ViewController>, bool,
                               std::function<void()>) override {}
    void dismissViewController(bool animated, std::function<void()> completion) override {
        lastDismissAnimated = animated;
        if (presenter_ != nullptr) {
            presenter_->dropPresented();
        }
        if (completion) {
            completion();
        }
    }
    void presentedBy(FakeViewController* presenter) override { presenter_ = presenter; }
    bool isPresented() const { return presenter_ != nullptr; }

    // The user closes the page.
    void finish() {
        if (didFinish_) {
            didFinish_();
        }
    }

    std::optional<std::int64_t> loadedItem;
    std::optional<bool> lastDismissAnimated;

  private:
    FakeViewController* presenter_ = nullptr;
    std::function<void()> didFinish_;
};

class FakeStore final : public platform::StoreServices {
  public:
    bool reviewRequestAvailable() const override { return reviewRequest; }
    void requestReview() override {
        ++reviewRequests;
        if (onRequestReview) {
            onRequestReview();
        }
    }
    bool productPageAvailable() const override { return productPage; }
    std::shared_ptr<platform::ProductPage> makeProductPage() override {
        pages.push_back(std::make_shared<FakeProductPage>());
        return pages.back();
    }

    bool reviewRequest = false;
    bool productPage = false;
    int reviewRequests = 0;
    std::function<void()> onRequestReview;
    std::vector<std::shared_ptr<FakeProductPage>> pages;
};

class FakeView : public platform::View {
  public:
    std::vector<platform::View*> subviews() const override { return children; }
    platform::ViewController* nextResponderViewController() const override { return controller; }

    std::vector<platform::View*> children;
    platform::ViewController* controller = nullptr;
};

class FakeWindow final : public platform::Window {
  public:
    explicit FakeWindow(double windowLevelValue = 0.0,
                        platform::ViewController* rootController = nullptr)
        : level(windowLevelValue), root(rootController) {}
    std::vector<platform::View*> subviews() const override { return children; }
    platform::ViewController* nextResponderViewController() const override { return nullptr; }
    double windowLevel() const override { return level; }
    platform::ViewController* rootViewController() const override { return root; }

    double level;
    platform::ViewController* root;
    std::vector<platform::View*> children;
};

// A window whose root controller manages its one content view, as an application window is.
struct AppWindow {
    FakeViewController root;
    FakeView content;
    FakeWindow window;

    explicit AppWindow(double level = 0.0) : window(level, &root) {
        content.controller = &root;
        window.children = {&content};
    }
};

class FakeViewHierarchy final : public platform::ViewHierarchy {
  public:
    platform::Window* keyWindow() const override { return key; }
    std::vector<platform::Window*> windows() const override { return all; }
    double normalWindowLevel() const override { return 0.0; }

    platform::Window* key = nullptr;
    std::vector<platform::Window*> all;
};

class FakeNotifications final : public platform::AppNotifications {
  public:
    std::unique_ptr<Subscription> observeWillResignActive(std::function<void()> handler) override {
        handlers_.push_back(std::move(handler));
        return std::make_unique<Subscription>();
    }
    void resignActive() {
        for (const auto& handler : handlers_) {
            handler();
        }
    }

  private:
    std::vector<std::function<void()>> handlers_;
};

// A bundle with exactly the values and translations a test gives it.
class FakeBundle final : public platform::Bundle {
  public:
    std::string identifier() const override { return "com.strumwise.tuner"; }
    std::optional<std::string> infoValue(std::string_view key) const override {
        return find(info, key);
    }
    std::optional<std::string> localizedInfoValue(std::string_view key) const override {
        return find(localizedInfo, key);
    }
    std::string localizedString(std::string_view key, std::string_view value,
                                std::string_view table) const override {
        if (auto text = find(strings, std::string(table) + "/" + std::string(key))) {
            return *text;
        }
        return std::string(value.empty() ? key : value);
    }

    std::map<std::string, std::string, std::less<>> info;
    std::map<std::string, std::string, std::less<>> localizedInfo;
    // Keyed "table/key".
    std::map<std::string, std::string, std::less<>> strings;

  private:
    static std::optional<std::string> find(
        const std::map<std::string, std::string, std::less<>>& map, std::string_view key) {
        const auto found = map.find(key);
        return found == map.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
};

// Records every notification by name; answers ratingPromptShouldDisplayAlert with `allow`.
class RecordingDelegate final : public RatingPromptDelegate {
  public:
    bool ratingPromptShouldDisplayAlert(RatingPrompt&) override {
        calls.push_back("shouldDisplay");
        return allow;
    }
    void ratingPromptDidDisplayAlert(RatingPrompt&) override { calls.push_back("didDisplay"); }
    void ratingPromptDidDeclineToRate(RatingPrompt&) override { calls.push_back("didDecline"); }
    void ratingPromptDidOptToRate(RatingPrompt&) override { calls.push_back("didOptToRate"); }
    void ratingPromptDidOptToRemindLater(RatingPrompt&) override {
        calls.push_back("didOptToRemindLater");
    }
    void ratingPromptWillPresentModalView(RatingPrompt&, bool animated) override {
        calls.push_back(animated ? "willPresentModal animated" : "willPresentModal");
    }
    void ratingPromptDidDismissModalView(RatingPrompt&, bool animated) override {
        calls.push_back(animated ? "didDismissModal animated" : "didDismissModal");
    }

    bool allow = true;
    std::vector<std::string> calls;
};

}  // namespace strumwise::rating::testing
