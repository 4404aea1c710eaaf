#include "adapters/desktop/rating/qt_rating_alerts.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <atomic>
#include <string>
#include <vector>

#include "adapters/desktop/rating/qt_rating_views.h"

namespace strumwise::platform::desktop {

namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A message box with the alert's texts whose buttons keep their order: all share one role, as
// the box would otherwise sort them by role.
QMessageBox* makeBox(QWidget* parent, const std::string& title, const std::string& message) {
    auto* box = new QMessageBox(parent);
    box->setWindowTitle(toQString(title));
    box->setText(toQString(title));
    box->setInformativeText(toQString(message));
    box->setWindowModality(parent != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    return box;
}

class QtAlertController final : public AlertController, public QtPresentable {
  public:
    QtAlertController(std::string_view title, std::string_view message, const AlertEvents& events)
        : title_(title), message_(message), events_(events) {}
    ~QtAlertController() override {
        if (box_) {
            box_->deleteLater();
        }
    }

    void addAction(std::string_view title, AlertActionStyle style,
                   std::function<void(std::string_view)> handler) override {
        actions_.push_back({std::string(title), style, std::move(handler)});
    }
    bool isInViewHierarchy() const override { return onScreen_.load(); }

    ViewController* presentedViewController() const override { return nullptr; }
    void presentViewController(std::shared_ptr<ViewController>, bool,
                               std::function<void()>) override {}

    // Taken away without an answer: no handler runs.
    void dismissViewController(bool /*animated*/, std::function<void()> completion) override {
        if (onScreen_ && events_.hidden) {
            events_.hidden();
        }
        takeOffScreen();
        if (completion) {
            completion();
        }
    }

    void presentOver(QWidget& window, QtRootController& presenter) override {
        presenter_ = &presenter;
        box_ = makeBox(&window, title_, message_);
        std::vector<QAbstractButton*> buttons;
        for (const Action& action : actions_) {
            QPushButton* button = box_->addButton(toQString(action.title), QMessageBox::ActionRole);
            buttons.push_back(button);
            if (action.style == AlertActionStyle::Cancel) {
                box_->setEscapeButton(button);
            }
        }
        if (!buttons.empty()) {
            box_->setDefaultButton(static_cast<QPushButton*>(buttons.front()));
        }
        QObject::connect(box_, &QMessageBox::buttonClicked, box_,
                         [this, buttons](QAbstractButton* clicked) {
                             for (std::size_t i = 0; i < buttons.size(); ++i) {
                                 if (buttons[i] == clicked) {
                                     answer(i);
                                     return;
                                 }
                             }
                         });
        onScreen_ = true;
        if (events_.shown) {
            std::vector<std::string> titles;
            for (const Action& action : actions_) {
                titles.push_back(action.title);
            }
            events_.shown(title_, message_, titles);
        }
        box_->open();
    }

  private:
    struct Action {
        std::string title;
        AlertActionStyle style;
        std::function<void(std::string_view)> handler;
    };

    void takeOffScreen() {
        onScreen_ = false;
        if (box_) {
            box_->disconnect();
            box_->hide();
            box_->deleteLater();
        }
        if (presenter_ != nullptr) {
            QtRootController* presenter = presenter_;
            presenter_ = nullptr;
            presenter->dropPresented();
        }
    }

    // The index the prompt gives the button: 0 for cancel, then the others counted from 1.
    std::int64_t answerIndex(std::size_t position) const {
        if (actions_[position].style == AlertActionStyle::Cancel) {
            return 0;
        }
        std::int64_t index = 1;
        for (std::size_t i = 0; i < position; ++i) {
            if (actions_[i].style != AlertActionStyle::Cancel) {
                ++index;
            }
        }
        return index;
    }

    void answer(std::size_t index) {
        if (events_.answered) {
            events_.answered(answerIndex(index));
        }
        // The presenter may hold the last reference; keep the alert alive through its handler.
        const auto handler = actions_[index].handler;
        const std::string title = actions_[index].title;
        takeOffScreen();
        if (handler) {
            handler(title);
        }
    }

    const std::string title_;
    const std::string message_;
    const AlertEvents events_;
    std::vector<Action> actions_;
    QPointer<QMessageBox> box_;
    QtRootController* presenter_ = nullptr;
    std::atomic<bool> onScreen_{false};
};

}  // namespace

std::shared_ptr<AlertController> QtAlerts::makeAlertController(std::string_view title,
                                                               std::string_view message) {
    return std::make_shared<QtAlertController>(title, message, events_);
}

std::shared_ptr<AlertView> QtAlerts::makeAlertView(
    std::string_view /*title*/, std::string_view /*message*/,
    std::string_view /*cancelButtonTitle*/, std::function<void(std::int64_t)> /*didDismiss*/) {
    // Controller-style alerts are always available here, so the prompt never asks for this one.
    return nullptr;
}

}  // namespace strumwise::platform::desktop
