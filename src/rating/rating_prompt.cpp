#include "rating/rating_prompt.h"

#include <utility>

#include "rating/string_values.h"

namespace strumwise::rating {

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

// --- Reports.

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

void RatingPrompt::appEnteredForeground(RatingPrompt& prompt, bool canPromptForRating) {
    if (const auto queue = prompt.eventQueue()) {
        queue->async(
            [&prompt, canPromptForRating] { prompt.incrementAndRate(canPromptForRating); });
    }
}

void RatingPrompt::userDidSignificantEvent(RatingPrompt& prompt, bool canPromptForRating) {
    if (const auto queue = prompt.eventQueue()) {
        queue->async([&prompt, canPromptForRating] {
            prompt.incrementSignificantEventAndRate(canPromptForRating);
        });
    }
}

// --- Entry points.

void RatingPrompt::showPrompt(RatingPrompt& prompt) {
    tryToShowPrompt(prompt);
}
void RatingPrompt::tryToShowPrompt(RatingPrompt& prompt) {
    prompt.showPromptWithChecks(true, true);
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

void RatingPrompt::appWillResignActive(RatingPrompt& prompt) {
    prompt.debugLog("RATINGPROMPT appWillResignActive");
    prompt.hideRatingAlert();
}

const platform::Bundle& RatingPrompt::bundle(const RatingPrompt& prompt) {
    if (!prompt.settings_.alwaysUseMainBundle() && prompt.services_.ratingPromptBundle != nullptr) {
        return *prompt.services_.ratingPromptBundle;
    }
    return prompt.services_.mainBundle;
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
