// The rating prompt's desktop services: message boxes over the tuner window, the widget tree as
// the window hierarchy, losing the focus as resigning active, and the network probe.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <memory>

#include "platform/desktop/qt_rating_alerts.h"
#include "platform/desktop/qt_rating_network.h"
#include "platform/desktop/qt_rating_notifications.h"
#include "platform/desktop/qt_rating_store.h"
#include "platform/desktop/qt_rating_views.h"
#include "platform/headless/headless_platform.h"
#include "rating/rating_keys.h"
#include "rating/rating_prompt.h"

namespace strumwise::platform::desktop {
namespace {

QApplication& app() {
    static QApplication* application = [] {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static int argc = 1;
        static char name[] = "test_rating_desktop";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return *application;
}

// The prompt with the desktop's alerts, windows, store, network and notifications, and the
// headless platform's clock, defaults and bundle.
class QtRating : public ::testing::Test {
  protected:
    QtRating() {
        window.resize(375, 667);
        window.show();
        settings.setAppId("1163842075");
        Services& common = headless.services();
        prompt = std::make_unique<rating::RatingPrompt>(
            rating::RatingServices{common.log, common.clock, common.runLoop, common.dispatch,
                                   common.defaults, common.device, common.application,
                                   common.bundle, nullptr, alerts, store, network, views,
                                   notifications},
            settings);
    }

    QMessageBox* box() { return window.findChild<QMessageBox*>(); }

    QApplication& application = app();
    QWidget window;
    headless::HeadlessPlatform headless;
    QtAlerts alerts;
    QtStore store;
    QtNetwork network;
    QtViewHierarchy views;
    QtAppNotifications notifications;
    rating::RatingSettings settings;
    std::unique_ptr<rating::RatingPrompt> prompt;
};

TEST_F(QtRating, AlertIsAModalBoxOverTheWindowWithItsButtonsInOrderAndDeclineOnEscape) {
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
    EXPECT_FALSE(prompt->ratingAlertIsAppropriate()) << "one alert at a time";

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(shown, &escape);

    EXPECT_TRUE(headless.store().boolForKey(rating::kDeclinedToRateKey));
    EXPECT_TRUE(prompt->ratingAlert().empty());
    EXPECT_FALSE(shown->isVisible());
}

TEST_F(QtRating, RateOpensTheReviewPageAndLosingTheFocusHidesTheAlert) {
    rating::RatingPrompt::forceShowPrompt(*prompt, false);
    ASSERT_NE(box(), nullptr);
    notifications.resignActive();
    EXPECT_FALSE(prompt->isRatingAlertVisible());
    EXPECT_FALSE(prompt->ratingAlert().empty()) << "hidden, not answered";
    EXPECT_FALSE(headless.store().boolForKey(rating::kDeclinedToRateKey));

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    rating::RatingPrompt::forceShowPrompt(*prompt, false);
    QMessageBox* shown = box();
    ASSERT_NE(shown, nullptr);
    QAbstractButton* rate = nullptr;
    for (QAbstractButton* button : shown->buttons()) {
        if (button->text() == QStringLiteral("Rate Strumwise")) {
            rate = button;
        }
    }
    ASSERT_NE(rate, nullptr);
    rate->click();

    EXPECT_TRUE(headless.store().boolForKey(rating::kRatedCurrentVersionKey));
    ASSERT_EQ(headless.application().openedURLs().size(), 1u);
    EXPECT_TRUE(headless.application().openedURLs()[0].starts_with("itms-apps://apps.apple.com/"))
        << "the logic builds the store's address; the desktop opens it over https";
}

TEST_F(QtRating, NetworkProbeReadsTheInterfacesAndStartsARequestItNeverAwaits) {
    EXPECT_TRUE(network.reachabilityFlags().has_value()) << "the loopback interface at least";
    const auto task = network.startDataTask("http://127.0.0.1:9/", 20.0);
    EXPECT_EQ(task->state(), DataTask::State::Running);
}

}  // namespace
}  // namespace strumwise::platform::desktop
