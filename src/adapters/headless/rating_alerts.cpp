#include "adapters/headless/rating_alerts.h"

#include <atomic>
#include <string>
#include <vector>

#include "adapters/headless/rating_views.h"

namespace strumwise::platform::headless {

namespace {

constexpr std::int64_t kDeclineIndex = 0;
constexpr std::int64_t kRateIndex = 1;
constexpr std::int64_t kLaterIndex = 2;

class HeadlessAlertController final : public AlertController,
                                      public HeadlessPresentable,
                                      public std::enable_shared_from_this<HeadlessAlertController> {
  public:
    HeadlessAlertController(std::string_view title, std::string_view message,
                            VirtualRunLoop& runLoop, trace::TraceSink& sink, AlertAnswer answer)
        : title_(title), message_(message), runLoop_(runLoop), sink_(sink), answer_(answer) {}

    void addAction(std::string_view title, AlertActionStyle style,
                   std::function<void(std::string_view)> handler) override {
        actions_.push_back({std::string(title), style, std::move(handler)});
    }
    bool isInViewHierarchy() const override { return onScreen_.load(); }

    // The alert presents nothing itself.
    ViewController* presentedViewController() const override { return nullptr; }
    void presentViewController(std::shared_ptr<ViewController>, bool,
                               std::function<void()>) override {}

    // Taken away without an answer.
    void dismissViewController(bool /*animated*/, std::function<void()> completion) override {
        if (presenter_ != nullptr) {
            trace::traceAlertHidden(sink_);
            presenter_->dropPresented();
        }
        if (completion) {
            completion();
        }
    }

    void presentedBy(HeadlessRootController* presenter) override {
        presenter_ = presenter;
        onScreen_ = presenter != nullptr;
        if (presenter == nullptr) {
            return;
        }
        std::vector<std::string> titles;
        for (const Action& action : actions_) {
            titles.push_back(action.title);
        }
        trace::traceAlertShown(sink_, title_, message_, titles);
        runLoop_.scheduleAfter(secondsToMicros(HeadlessAlerts::kAnswerDelaySeconds),
                               [weak = weak_from_this()] {
                                   if (const auto alert = weak.lock(); alert && alert->onScreen_) {
                                       alert->answer();
                                   }
                               });
    }

  private:
    struct Action {
        std::string title;
        AlertActionStyle style;
        std::function<void(std::string_view)> handler;
    };

    // The button the scripted answer presses, with the index it stands for.
    const Action* chosenAction(std::int64_t& index) const {
        switch (answer_) {
            case AlertAnswer::Decline:
                for (const Action& action : actions_) {
                    if (action.style == AlertActionStyle::Cancel) {
                        index = kDeclineIndex;
                        return &action;
                    }
                }
                return nullptr;
            case AlertAnswer::Rate:
                index = kRateIndex;
                return actions_.size() >= 2 ? &actions_.front() : nullptr;
            case AlertAnswer::Later:
                index = kLaterIndex;
                return actions_.size() == 3 ? &actions_[1] : nullptr;
            case AlertAnswer::None:
                break;
        }
        return nullptr;
    }

    void answer() {
        std::int64_t index = -1;
        const Action* action = chosenAction(index);
        if (action == nullptr) {
            return;
        }
        trace::traceAlertAnswered(sink_, index);
        // The handler may present again, so the alert leaves the screen first.
        const auto keepAlive = shared_from_this();
        const std::string title = action->title;
        const auto handler = action->handler;
        if (presenter_ != nullptr) {
            presenter_->dropPresented();
        }
        handler(title);
    }

    const std::string title_;
    const std::string message_;
    VirtualRunLoop& runLoop_;
    trace::TraceSink& sink_;
    const AlertAnswer answer_;
    std::vector<Action> actions_;
    HeadlessRootController* presenter_ = nullptr;
    std::atomic<bool> onScreen_{false};
};

class HeadlessAlertView final : public AlertView,
                                public std::enable_shared_from_this<HeadlessAlertView> {
  public:
    HeadlessAlertView(std::string_view title, std::string_view message,
                      std::string_view cancelTitle, std::function<void(std::int64_t)> didDismiss,
                      VirtualRunLoop& runLoop, trace::TraceSink& sink, AlertAnswer answer)
        : title_(title),
          message_(message),
          buttons_{std::string(cancelTitle)},
          didDismiss_(std::move(didDismiss)),
          runLoop_(runLoop),
          sink_(sink),
          answer_(answer) {}

    std::int64_t addButtonWithTitle(std::string_view title) override {
        buttons_.emplace_back(title);
        return static_cast<std::int64_t>(buttons_.size()) - 1;
    }
    void show() override {
        visible_ = true;
        trace::traceAlertShown(sink_, title_, message_, buttons_);
        runLoop_.scheduleAfter(secondsToMicros(HeadlessAlerts::kAnswerDelaySeconds),
                               [weak = weak_from_this()] {
                                   if (const auto alert = weak.lock(); alert && alert->visible_) {
                                       alert->answer();
                                   }
                               });
    }
    bool isVisible() const override { return visible_.load(); }
    void dismissWithClickedButtonIndex(std::int64_t index, bool /*animated*/) override {
        if (!visible_) {
            return;
        }
        if (index < 0) {
            trace::traceAlertHidden(sink_);
        } else {
            trace::traceAlertAnswered(sink_, index);
        }
        visible_ = false;
        const auto keepAlive = shared_from_this();
        didDismiss_(index);
    }

  private:
    void answer() {
        std::int64_t index = -1;
        switch (answer_) {
            case AlertAnswer::Decline:
                index = kDeclineIndex;
                break;
            case AlertAnswer::Rate:
                index = kRateIndex;
                break;
            case AlertAnswer::Later:
                index = kLaterIndex;
                break;
            case AlertAnswer::None:
                return;
        }
        if (index < static_cast<std::int64_t>(buttons_.size())) {
            dismissWithClickedButtonIndex(index, true);
        }
    }

    const std::string title_;
    const std::string message_;
    std::vector<std::string> buttons_;
    std::function<void(std::int64_t)> didDismiss_;
    VirtualRunLoop& runLoop_;
    trace::TraceSink& sink_;
    const AlertAnswer answer_;
    std::atomic<bool> visible_{false};
};

}  // namespace

std::optional<AlertAnswer> parseAlertAnswer(std::string_view text) {
    if (text == "decline") {
        return AlertAnswer::Decline;
    }
    if (text == "rate") {
        return AlertAnswer::Rate;
    }
    if (text == "later") {
        return AlertAnswer::Later;
    }
    if (text == "none") {
        return AlertAnswer::None;
    }
    return std::nullopt;
}

std::shared_ptr<AlertController> HeadlessAlerts::makeAlertController(std::string_view title,
                                                                     std::string_view message) {
    return std::make_shared<HeadlessAlertController>(title, message, runLoop_, sink_, answer_);
}

std::shared_ptr<AlertView> HeadlessAlerts::makeAlertView(
    std::string_view title, std::string_view message, std::string_view cancelButtonTitle,
    std::function<void(std::int64_t)> didDismiss) {
    return std::make_shared<HeadlessAlertView>(title, message, cancelButtonTitle,
                                               std::move(didDismiss), runLoop_, sink_, answer_);
}

}  // namespace strumwise::platform::headless
