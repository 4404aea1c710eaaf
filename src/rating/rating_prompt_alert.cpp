// The visible half of the rating prompt: whether to show it, the alert, and the answers.

#include <string>
#include <vector>

#include "rating/rating_keys.h"
#include "rating/rating_prompt.h"
#include "rating/store_config.h"
#include "rating/string_values.h"

namespace strumwise::rating {

namespace {

constexpr std::string_view kStringTable = "RatingPromptLocalizable";
// The title and the rate button share one text.
constexpr std::string_view kTitleKey = "Rate %@";
constexpr std::string_view kMessageKey =
    "If you enjoy using %@, would you mind taking a moment to rate it? It won't take more than a "
    "minute. Thanks for your support!";
constexpr std::string_view kCancelKey = "No, Thanks";
constexpr std::string_view kRateKey = "Rate %@";
constexpr std::string_view kRateLaterKey = "Remind me later";

constexpr std::int64_t kDeclineIndex = 0;
constexpr std::int64_t kRateIndex = 1;
constexpr std::int64_t kRemindIndex = 2;
constexpr std::int64_t kNoAnswerIndex = -1;

}  // namespace

// --- Whether to show it.

bool RatingPrompt::ratingAlertIsAppropriate() {
    // "Remind me later" holds back every way of asking, and nobody is asked from the background.
    return connectedToNetwork() && !userHasDeclinedToRate() && !isRatingAlertVisible() &&
           !userHasRatedCurrentVersion() && reminderWaitHasPassed() &&
           services_.notifications.isActive();
}

bool RatingPrompt::connectedToNetwork() {
    const std::optional<std::uint32_t> flags = services_.network.reachabilityFlags();
    if (!flags) {
        services_.log.write("Error. Could not recover network reachability flags");
        return false;
    }
    // Reachability alone can be stale; a request that the platform actually starts is the better
    // sign that there is somewhere to send the user. Nobody waits for its answer.
    const std::shared_ptr<platform::DataTask> task = testRequest();
    const bool reachable =
        (*flags & (platform::kReachabilityReachable | platform::kReachabilityConnectionRequired)) ==
        platform::kReachabilityReachable;
    const bool transient = (*flags & platform::kReachabilityTransientConnection) != 0;
    const bool started = task != nullptr && task->state() != platform::DataTask::State::Suspended;
    return (reachable || transient) && started;
}

std::shared_ptr<platform::DataTask> RatingPrompt::testRequest() {
    const std::lock_guard lock(probeMutex_);
    const double now = services_.clock.now();
    const bool inFlight =
        testRequest_ != nullptr && testRequest_->state() == platform::DataTask::State::Running;
    // A clock set back counts as the interval having passed.
    const bool recent = testRequestStartedAt_ && now >= *testRequestStartedAt_ &&
                        now - *testRequestStartedAt_ < kReachabilityTestIntervalSeconds;
    // Once the version is rated or declined nobody is asked again, so nothing needs finding out.
    if (!inFlight && !recent && !userHasDeclinedToRate() && !userHasRatedCurrentVersion()) {
        testRequest_ =
            services_.network.startDataTask(kReachabilityTestUrl, kReachabilityTestTimeoutSeconds);
        testRequestStartedAt_ = now;
    }
    return testRequest_;
}

bool RatingPrompt::isRatingAlertVisible() const {
    const RatingAlert alert = ratingAlert();
    if (alert.controller) {
        return alert.controller->isInViewHierarchy();
    }
    if (alert.view) {
        return alert.view->isVisible();
    }
    return false;
}

// --- Texts.

std::string RatingPrompt::applicationName() const {
    const platform::Bundle& main = services_.mainBundle;
    if (auto name = main.localizedInfoValue("CFBundleDisplayName")) {
        return *name;
    }
    if (auto name = main.infoValue("CFBundleDisplayName")) {
        return *name;
    }
    return main.infoValue("CFBundleName").value_or("");
}

std::string RatingPrompt::localizedText(std::string_view key) const {
    return bundle(*this).localizedString(key, "", kStringTable);
}

std::string RatingPrompt::customOr(std::optional<std::string> CustomTexts::*text,
                                   std::string_view key, bool formatWithName) const {
    {
        const std::lock_guard lock(mutex_);
        if (const std::optional<std::string>& custom = customTexts_.*text) {
            return *custom;
        }
    }
    std::string localized = localizedText(key);
    return formatWithName ? formatWithObject(localized, applicationName()) : localized;
}

std::string RatingPrompt::alertTitle() const {
    return customOr(&CustomTexts::title, kTitleKey, true);
}
std::string RatingPrompt::alertMessage() const {
    return customOr(&CustomTexts::message, kMessageKey, true);
}
std::string RatingPrompt::alertCancelTitle() const {
    return customOr(&CustomTexts::cancelTitle, kCancelKey, false);
}
std::string RatingPrompt::alertRateTitle() const {
    return customOr(&CustomTexts::rateTitle, kRateKey, true);
}
std::string RatingPrompt::alertRateLaterTitle() const {
    return customOr(&CustomTexts::rateLaterTitle, kRateLaterKey, false);
}

void RatingPrompt::setAlertTitle(std::optional<std::string> title) {
    const std::lock_guard lock(mutex_);
    customTexts_.title = std::move(title);
}
void RatingPrompt::setAlertMessage(std::optional<std::string> message) {
    const std::lock_guard lock(mutex_);
    customTexts_.message = std::move(message);
}
void RatingPrompt::setAlertCancelTitle(std::optional<std::string> title) {
    const std::lock_guard lock(mutex_);
    customTexts_.cancelTitle = std::move(title);
}
void RatingPrompt::setAlertRateTitle(std::optional<std::string> title) {
    const std::lock_guard lock(mutex_);
    customTexts_.rateTitle = std::move(title);
}
void RatingPrompt::setAlertRateLaterTitle(std::optional<std::string> title) {
    const std::lock_guard lock(mutex_);
    customTexts_.rateLaterTitle = std::move(title);
}

// --- The alert.

void RatingPrompt::showRatingAlert(bool displayRateLaterButton) {
    // Before the application has a window there is nothing to show the prompt over: it is not
    // shown, kept or announced.
    if (getRootViewController(services_.views) == nullptr) {
        return;
    }
    const std::shared_ptr<RatingPromptDelegate> observer = delegate();
    if (observer && !observer->ratingPromptShouldDisplayAlert(*this)) {
        return;
    }
    if (services_.store.reviewRequestAvailable()) {
        // The platform's own sheet replaces the alert; asking for it counts as rating.
        rateApp(*this);
    } else if (services_.alerts.alertControllerAvailable()) {
        showControllerAlert(displayRateLaterButton);
    } else {
        showViewAlert(displayRateLaterButton);
    }
    if (observer) {
        observer->ratingPromptDidDisplayAlert(*this);
    }
}

void RatingPrompt::showControllerAlert(bool displayRateLaterButton) {
    const std::string declineTitle = alertCancelTitle();
    const std::string rateTitle = alertRateTitle();
    const std::string remindTitle = alertRateLaterTitle();

    std::vector<std::string> titles{rateTitle};
    if (displayRateLaterButton) {
        titles.push_back(remindTitle);
    }
    titles.push_back(declineTitle);

    const std::shared_ptr<platform::AlertController> alert =
        services_.alerts.makeAlertController(alertTitle(), alertMessage());
    // A pressed button is known by its title, decline first: when two buttons share a title the
    // safer answer wins.
    auto answer = [this, declineTitle, rateTitle, remindTitle](std::string_view pressed) {
        std::int64_t index = kNoAnswerIndex;
        if (pressed == declineTitle) {
            index = kDeclineIndex;
        } else if (pressed == rateTitle) {
            index = kRateIndex;
        } else if (pressed == remindTitle) {
            index = kRemindIndex;
        }
        alertViewDidDismissWithButtonIndex(index);
    };
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const bool last = i + 1 == titles.size();
        alert->addAction(
            titles[i],
            last ? platform::AlertActionStyle::Cancel : platform::AlertActionStyle::Default,
            answer);
    }
    // When the controller is busy presenting something else, the alert stays unseen but is
    // still remembered.
    if (platform::ViewController* presenter = getRootViewController(services_.views)) {
        presenter->presentViewController(alert, true, nullptr);
    }
    setRatingAlert({.controller = alert, .view = nullptr});
}

void RatingPrompt::showViewAlert(bool displayRateLaterButton) {
    const std::shared_ptr<platform::AlertView> alert = services_.alerts.makeAlertView(
        alertTitle(), alertMessage(), alertCancelTitle(),
        [this](std::int64_t index) { alertViewDidDismissWithButtonIndex(index); });
    if (!alert) {
        return;  // a platform that always offers controller-style alerts makes none of these
    }
    alert->addButtonWithTitle(alertRateTitle());
    if (displayRateLaterButton) {
        alert->addButtonWithTitle(alertRateLaterTitle());
    }
    setRatingAlert({.controller = nullptr, .view = alert});
    alert->show();
}

void RatingPrompt::alertViewDidDismissWithButtonIndex(std::int64_t buttonIndex) {
    const std::shared_ptr<RatingPromptDelegate> observer = delegate();
    switch (buttonIndex) {
        case kRemindIndex:
            services_.defaults.setDouble(services_.clock.now(), kReminderRequestDateKey);
            services_.defaults.synchronize();
            if (observer) {
                observer->ratingPromptDidOptToRemindLater(*this);
            }
            break;
        case kRateIndex:
            rateApp(*this);
            if (observer) {
                observer->ratingPromptDidOptToRate(*this);
            }
            break;
        case kDeclineIndex:
            services_.defaults.setBool(true, kDeclinedToRateKey);
            services_.defaults.synchronize();
            if (observer) {
                observer->ratingPromptDidDeclineToRate(*this);
            }
            break;
        default:
            break;
    }
    setRatingAlert({});
}

void RatingPrompt::hideRatingAlert() {
    if (!isRatingAlertVisible()) {
        return;
    }
    debugLog("RATINGPROMPT Hiding Alert");
    const RatingAlert alert = ratingAlert();
    if (alert.view) {
        // Reported back as a dismissal without an answer, which forgets the alert.
        alert.view->dismissWithClickedButtonIndex(kNoAnswerIndex, false);
    } else if (alert.controller) {
        // No action runs and nothing is recorded; the alert, off screen now, no longer counts
        // as visible.
        alert.controller->dismissViewController(false, nullptr);
    }
}

}  // namespace strumwise::rating
