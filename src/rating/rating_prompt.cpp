#include "rating/rating_prompt.h"

#include <stdexcept>
#include <utility>

#include "rating/string_values.h"

namespace strumwise::rating {

namespace {

// The services the composition root provided for the shared instance.
struct ProvidedServices {
    std::mutex mutex;
    std::optional<RatingServices> services;
    bool instanceCreated = false;
};

ProvidedServices& provided() {
    static ProvidedServices provided;
    return provided;
}

RatingPrompt* createSharedInstance() {
    ProvidedServices& state = provided();
    const std::lock_guard lock(state.mutex);
    if (!state.services) {
        throw std::logic_error(
            "RatingPrompt::sharedInstance used before RatingPrompt::provideServices");
    }
    state.instanceCreated = true;
    // Lives for the whole process, as every caller may hold on to it.
    return new RatingPrompt(*state.services, RatingSettings::shared());
}

}  // namespace

void RatingPrompt::provideServices(const RatingServices& services) {
    ProvidedServices& state = provided();
    const std::lock_guard lock(state.mutex);
    if (state.services || state.instanceCreated) {
        throw std::logic_error("RatingPrompt::provideServices called more than once");
    }
    state.services.emplace(services);
}

RatingPrompt& RatingPrompt::sharedInstance() {
    // A throwing initialiser leaves the instance uncreated; the next call tries again.
    static RatingPrompt* const instance = createSharedInstance();
    return *instance;
}

RatingPrompt::RatingPrompt(const RatingServices& services, RatingSettings& settings)
    : services_(services),
      settings_(settings),
      openInAppStore_(leadingFloatValue(services.device.systemVersion()) >= 7.0),
      eventQueue_(services.dispatch.makeSerialQueue()) {
    resignActiveSubscription_ = services_.notifications.observeWillResignActive(
        [this] { RatingPrompt::appWillResignActive(*this); });
}

RatingPrompt::~RatingPrompt() {
    resignActiveSubscription_.reset();
    // A queue that finishes its tasks when it goes does so while the prompt is still whole.
    std::shared_ptr<platform::TaskQueue> queue;
    {
        const std::lock_guard lock(mutex_);
        queue.swap(eventQueue_);
    }
    queue.reset();
}

// --- Class-level settings.

void RatingPrompt::setAppId(std::string_view appId) {
    RatingSettings::shared().setAppId(appId);
}
void RatingPrompt::setDaysUntilPrompt(double days) {
    RatingSettings::shared().setDaysUntilPrompt(days);
}
void RatingPrompt::setUsesUntilPrompt(std::int64_t uses) {
    RatingSettings::shared().setUsesUntilPrompt(uses);
}
void RatingPrompt::setSignificantEventsUntilPrompt(std::int64_t events) {
    RatingSettings::shared().setSignificantEventsUntilPrompt(events);
}
void RatingPrompt::setTimeBeforeReminding(double days) {
    RatingSettings::shared().setTimeBeforeReminding(days);
}
void RatingPrompt::setDebug(bool debug) {
    RatingSettings::shared().setDebug(debug);
}
void RatingPrompt::setUsesAnimation(bool animation) {
    RatingSettings::shared().setUsesAnimation(animation);
}
void RatingPrompt::setModalOpen(bool open) {
    RatingSettings::shared().setModalOpen(open);
}
void RatingPrompt::setAlwaysUseMainBundle(bool always) {
    RatingSettings::shared().setAlwaysUseMainBundle(always);
}
void RatingPrompt::setStatusBarStyle(std::int64_t style) {
    RatingSettings::shared().setStatusBarStyle(style);
}
void RatingPrompt::setCustomAlertTitle(std::string_view title) {
    sharedInstance().setAlertTitle(std::string(title));
}
void RatingPrompt::setCustomAlertMessage(std::string_view message) {
    sharedInstance().setAlertMessage(std::string(message));
}
void RatingPrompt::setCustomAlertCancelButtonTitle(std::string_view title) {
    sharedInstance().setAlertCancelTitle(std::string(title));
}
void RatingPrompt::setCustomAlertRateButtonTitle(std::string_view title) {
    sharedInstance().setAlertRateTitle(std::string(title));
}
void RatingPrompt::setCustomAlertRateLaterButtonTitle(std::string_view title) {
    sharedInstance().setAlertRateLaterTitle(std::string(title));
}

// --- Reports.

void RatingPrompt::appLaunched(bool canPromptForRating) {
    appLaunched(sharedInstance(), canPromptForRating);
}

void RatingPrompt::appLaunched(RatingPrompt& prompt, bool canPromptForRating) {
    prompt.services_.dispatch.backgroundQueue().async([&prompt, canPromptForRating] {
        if (prompt.settings_.debug()) {
            // Debug mode shows the prompt at every launch, without counting.
            prompt.services_.runLoop.postToMain([&prompt] { prompt.showRatingAlert(); });
        } else {
            prompt.incrementAndRate(canPromptForRating);
        }
    });
}

void RatingPrompt::appEnteredForeground(bool canPromptForRating) {
    appEnteredForeground(sharedInstance(), canPromptForRating);
}

void RatingPrompt::appEnteredForeground(RatingPrompt& prompt, bool canPromptForRating) {
    if (const auto queue = prompt.eventQueue()) {
        queue->async(
            [&prompt, canPromptForRating] { prompt.incrementAndRate(canPromptForRating); });
    }
}

void RatingPrompt::userDidSignificantEvent(bool canPromptForRating) {
    userDidSignificantEvent(sharedInstance(), canPromptForRating);
}

void RatingPrompt::userDidSignificantEvent(RatingPrompt& prompt, bool canPromptForRating) {
    if (const auto queue = prompt.eventQueue()) {
        queue->async([&prompt, canPromptForRating] {
            prompt.incrementSignificantEventAndRate(canPromptForRating);
        });
    }
}

// --- Entry points.

void RatingPrompt::showPrompt() {
    showPrompt(sharedInstance());
}
void RatingPrompt::showPrompt(RatingPrompt& prompt) {
    tryToShowPrompt(prompt);
}
void RatingPrompt::tryToShowPrompt() {
    tryToShowPrompt(sharedInstance());
}
void RatingPrompt::tryToShowPrompt(RatingPrompt& prompt) {
    prompt.showPromptWithChecks(true, true);
}
void RatingPrompt::forceShowPrompt(bool displayRateLaterButton) {
    forceShowPrompt(sharedInstance(), displayRateLaterButton);
}
void RatingPrompt::forceShowPrompt(RatingPrompt& prompt, bool displayRateLaterButton) {
    prompt.showPromptWithChecks(false, displayRateLaterButton);
}

void RatingPrompt::showPromptWithChecks(bool withChecks, bool displayRateLaterButton) {
    if (withChecks && !ratingAlertIsAppropriate()) {
        return;
    }
    showRatingAlert(displayRateLaterButton);
}

void RatingPrompt::appWillResignActive() {
    appWillResignActive(sharedInstance());
}

void RatingPrompt::appWillResignActive(RatingPrompt& prompt) {
    prompt.debugLog("RATINGPROMPT appWillResignActive");
    prompt.hideRatingAlert();
}

const platform::Bundle& RatingPrompt::bundle() {
    return bundle(sharedInstance());
}

const platform::Bundle& RatingPrompt::bundle(const RatingPrompt& prompt) {
    if (!prompt.settings_.alwaysUseMainBundle() && prompt.services_.ratingPromptBundle != nullptr) {
        return *prompt.services_.ratingPromptBundle;
    }
    return prompt.services_.mainBundle;
}

void RatingPrompt::rateApp() {
    rateApp(sharedInstance());
}
void RatingPrompt::closeModal() {
    closeModal(sharedInstance());
}
platform::ViewController* RatingPrompt::getRootViewController() {
    return getRootViewController(sharedInstance().services_.views);
}

// --- Accessors.

RatingAlert RatingPrompt::ratingAlert() const {
    const std::lock_guard lock(mutex_);
    return ratingAlert_;
}

void RatingPrompt::setRatingAlert(RatingAlert alert) {
    const std::lock_guard lock(mutex_);
    ratingAlert_ = std::move(alert);
}

std::shared_ptr<RatingPromptDelegate> RatingPrompt::delegate() const {
    const std::lock_guard lock(mutex_);
    return delegate_.lock();
}

void RatingPrompt::setDelegate(std::weak_ptr<RatingPromptDelegate> delegate) {
    const std::lock_guard lock(mutex_);
    delegate_ = std::move(delegate);
}

std::shared_ptr<platform::TaskQueue> RatingPrompt::eventQueue() const {
    const std::lock_guard lock(mutex_);
    return eventQueue_;
}

void RatingPrompt::setEventQueue(std::shared_ptr<platform::TaskQueue> queue) {
    const std::lock_guard lock(mutex_);
    eventQueue_ = std::move(queue);
}

void RatingPrompt::debugLog(std::string_view line) const {
    if (settings_.debug()) {
        services_.log.write(line);
    }
}

}  // namespace strumwise::rating
