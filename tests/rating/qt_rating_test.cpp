// The rating prompt's desktop services: message boxes over the tuner window, the widget tree as
// the window hierarchy, the tuner window's activation as the application's, and the network
// probe.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "adapters/desktop/qt_test_app.h"
#include "adapters/desktop/rating/qt_rating_alerts.h"
#include "adapters/desktop/rating/qt_rating_network.h"
#include "adapters/desktop/rating/qt_rating_notifications.h"
#include "adapters/desktop/rating/qt_rating_store.h"
#include "adapters/desktop/rating/qt_rating_views.h"
#include "adapters/headless/headless_platform.h"
#include "rating/rating_keys.h"
#include "rating/rating_prompt.h"
#include "rating_fakes.h"

namespace strumwise::platform::desktop {
namespace {

// The prompt with the desktop's alerts, windows, store and notifications, a reachable fake
// network, and the headless platform's clock, defaults and bundle.
class QtRating : public ::testing::Test {
  protected:
    QtRating() {
        window.resize(375, 667);
        window.show();
        notifications.watchWindow(window);
        settings.setAppId("1163842075");
        Services& common = headless.services();
        prompt = std::make_unique<rating::RatingPrompt>(
            rating::RatingServices{common.log, common.clock, common.runLoop, common.dispatch,
                                   common.defaults, common.device, common.application,
                                   common.bundle, nullptr, alerts, store, fakeNetwork, views,
                                   notifications},
            settings);
    }

    QMessageBox* box() { return window.findChild<QMessageBox*>(); }
    bool alertOnScreen() { return box() != nullptr && box()->isVisible(); }
    // Gives the activation to `target` and waits for the desktop to deliver it.
    static bool activate(QWidget& target) {
        target.activateWindow();
        return testing::processEventsUntil([&] { return QApplication::activeWindow() == &target; },
                                           5000);
    }

    QApplication& application = testing::qtTestApp();
    QWidget window;
    headless::HeadlessPlatform headless;
    std::vector<std::string> alertEvents;
    QtAlerts alerts{{.shown =
                         [this](std::string_view title, std::string_view,
                                const std::vector<std::string>& buttons) {
                             alertEvents.push_back("shown " + std::string(title) + " " +
                                                   std::to_string(buttons.size()));
                         },
                     .answered =
                         [this](std::int64_t index) {
                             alertEvents.push_back("answered " + std::to_string(index));
                         },
                     .hidden = [this] { alertEvents.emplace_back("hidden"); }}};
    QtStore store;
    QtNetwork network;
    rating::testing::FakeNetwork fakeNetwork;
    QtViewHierarchy views;
    QtAppNotifications notifications;
    rating::RatingSettings settings;
    std::unique_ptr<rating::RatingPrompt> prompt;
};

TEST_F(QtRating, AlertIsAModalBoxWithItsButtonsInOrderDeclineOnEscapeAndRateOpensTheStore) {
    ASSERT_EQ(rating::RatingPrompt::getRootViewController(views), views.rootControllerFor(window));
    rating::RatingPrompt::forceShowPrompt(*prompt, true);

    QMessageBox* shown = box();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_TRUE(shown->isModal());
    EXPECT_EQ(shown->text(), QStringLiteral("Rate Strumwise"));
    QList<QAbstractButton*> buttons = shown->buttons();
    std::ranges::sort(buttons, {}, [](QAbstractButton* b) { return b->mapToGlobal(QPoint()).x(); });
    QStringList titles;
    for (QAbstractButton* button : buttons) {
        titles << button->text();
    }
    EXPECT_EQ(titles,
              (QStringList{QStringLiteral("Rate Strumwise"), QStringLiteral("Remind me later"),
                           QStringLiteral("No, Thanks")}));
    EXPECT_TRUE(prompt->isRatingAlertVisible());

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(shown, &escape);

    EXPECT_FALSE(shown->isVisible());
    EXPECT_EQ(alertEvents, (std::vector<std::string>{"shown Rate Strumwise 3", "answered 0"}));

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    rating::RatingPrompt::forceShowPrompt(*prompt, false);
    ASSERT_NE(box(), nullptr);
    const QList<QAbstractButton*> next = box()->buttons();
    const auto rate = std::ranges::find(next, titles[0], &QAbstractButton::text);
    ASSERT_NE(rate, next.end());
    (*rate)->click();
    // (What each answer stores and opens is the prompt's own rule, checked on its own.)
    EXPECT_EQ(alertEvents.back(), "answered 1");
}

// Another window taking the activation, or the tuner's window being minimised, takes the
// application out of front: the alert goes without an answer and none comes back meanwhile.
TEST_F(QtRating, NoAlertWhileTheTunersWindowIsNotInFront) {
    QWidget other;
    other.resize(200, 100);
    other.show();
    const struct {
        const char* what;
        std::function<void()> leave;
    } ways[] = {
        {"another window", [&] { ASSERT_TRUE(activate(other)); }},
        {"minimised", [&] { window.setWindowState(Qt::WindowMinimized); }},
    };
    for (const auto& way : ways) {
        window.setWindowState(Qt::WindowNoState);
        ASSERT_TRUE(activate(window)) << way.what;
        alertEvents.clear();
        rating::RatingPrompt::tryToShowPrompt(*prompt);
        ASSERT_TRUE(alertOnScreen()) << way.what;

        way.leave();
        EXPECT_TRUE(testing::processEventsUntil([&] { return !alertOnScreen(); }, 5000))
            << way.what;
        rating::RatingPrompt::tryToShowPrompt(*prompt);
        QCoreApplication::processEvents();
        EXPECT_FALSE(alertOnScreen()) << way.what;
        EXPECT_EQ(alertEvents, (std::vector<std::string>{"shown Rate Strumwise 3", "hidden"}))
            << way.what;
        EXPECT_FALSE(headless.store().boolForKey(rating::kDeclinedToRateKey)) << way.what;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(QtRating, NetworkProbeReadsTheInterfacesAndStartsARequestItNeverAwaits) {
    EXPECT_TRUE(network.reachabilityFlags().has_value()) << "the loopback interface at least";
    const auto task = network.startDataTask("http://127.0.0.1:9/", 20.0);
    EXPECT_EQ(task->state(), DataTask::State::Running);
}

}  // namespace
}  // namespace strumwise::platform::desktop
