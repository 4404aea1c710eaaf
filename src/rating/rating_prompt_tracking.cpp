// Usage tracking: launches and significant events counted per application version.

#include <string>

#include "rating/rating_keys.h"
#include "rating/rating_prompt.h"
#include "rating/stored_counter.h"
#include "rating/string_values.h"

namespace strumwise::rating {

namespace {

constexpr double kSecondsPerDay = 86400.0;

}  // namespace

bool RatingPrompt::checkVersion(std::string& runningVersion) const {
    platform::UserDefaults& defaults = services_.defaults;
    runningVersion = services_.mainBundle.infoValue("CFBundleVersion").value_or("");
    std::optional<std::string> trackedVersion = defaults.stringForKey(kCurrentVersionKey);
    if (!trackedVersion) {
        trackedVersion = runningVersion;
        defaults.setString(runningVersion, kCurrentVersionKey);
    }
    debugLog(formatWithObject("RATINGPROMPT Tracking version: %@", *trackedVersion));
    return *trackedVersion == runningVersion;
}

void RatingPrompt::incrementUseCount() {
    const std::lock_guard lock(trackingMutex_);
    platform::UserDefaults& defaults = services_.defaults;
    std::string runningVersion;
    if (checkVersion(runningVersion)) {
        if (defaults.doubleForKey(kFirstUseDateKey) == 0.0) {
            defaults.setDouble(services_.clock.now(), kFirstUseDateKey);
        }
        const std::int64_t useCount = incrementStoredCount(defaults, kUseCountKey, services_.log);
        debugLog(formatWithObject("RATINGPROMPT Use count: %@", std::to_string(useCount)));
    } else {
        // A new version starts its counts afresh, and the user may be asked about it again.
        defaults.setString(runningVersion, kCurrentVersionKey);
        defaults.setDouble(services_.clock.now(), kFirstUseDateKey);
        defaults.setInteger(1, kUseCountKey);
        defaults.setInteger(0, kSignificantEventCountKey);
        defaults.setBool(false, kRatedCurrentVersionKey);
        defaults.setBool(false, kDeclinedToRateKey);
        defaults.setDouble(0.0, kReminderRequestDateKey);
    }
    defaults.synchronize();
}

void RatingPrompt::incrementSignificantEventCount() {
    const std::lock_guard lock(trackingMutex_);
    platform::UserDefaults& defaults = services_.defaults;
    std::string runningVersion;
    if (checkVersion(runningVersion)) {
        if (defaults.doubleForKey(kFirstUseDateKey) == 0.0) {
            defaults.setDouble(services_.clock.now(), kFirstUseDateKey);
        }
        const std::int64_t eventCount =
            incrementStoredCount(defaults, kSignificantEventCountKey, services_.log);
        debugLog(formatWithObject("RATINGPROMPT Significant event count: %@",
                                  std::to_string(eventCount)));
    } else {
        // An event is not a use: the first counted use of the new version sets its date.
        defaults.setString(runningVersion, kCurrentVersionKey);
        defaults.setDouble(0.0, kFirstUseDateKey);
        defaults.setInteger(0, kUseCountKey);
        defaults.setInteger(1, kSignificantEventCountKey);
        defaults.setBool(false, kRatedCurrentVersionKey);
        defaults.setBool(false, kDeclinedToRateKey);
        defaults.setDouble(0.0, kReminderRequestDateKey);
    }
    defaults.synchronize();
}

bool RatingPrompt::ratingConditionsHaveBeenMet() const {
    if (settings_.debug()) {
        return true;
    }
    const platform::UserDefaults& defaults = services_.defaults;
    const double now = services_.clock.now();

    const double sinceFirstUse = now - defaults.doubleForKey(kFirstUseDateKey);
    if (sinceFirstUse < settings_.daysUntilPrompt() * kSecondsPerDay) {
        return false;
    }
    if (defaults.integerForKey(kUseCountKey) < settings_.usesUntilPrompt()) {
        return false;
    }
    if (defaults.integerForKey(kSignificantEventCountKey) <
        settings_.significantEventsUntilPrompt()) {
        return false;
    }
    return reminderWaitHasPassed();
}

bool RatingPrompt::reminderWaitHasPassed() const {
    // A stored 0 stands for 1970, long ago.
    const double sinceReminderRequest =
        services_.clock.now() - services_.defaults.doubleForKey(kReminderRequestDateKey);
    return sinceReminderRequest >= settings_.timeBeforeReminding() * kSecondsPerDay;
}

bool RatingPrompt::userHasDeclinedToRate() const {
    return services_.defaults.boolForKey(kDeclinedToRateKey);
}

bool RatingPrompt::userHasRatedCurrentVersion() const {
    return services_.defaults.boolForKey(kRatedCurrentVersionKey);
}

void RatingPrompt::incrementAndRate(bool canPromptForRating) {
    incrementUseCount();
    if (canPromptForRating && ratingConditionsHaveBeenMet() && ratingAlertIsAppropriate()) {
        services_.runLoop.postToMain([this] { showRatingAlert(); });
    }
}

void RatingPrompt::incrementSignificantEventAndRate(bool canPromptForRating) {
    incrementSignificantEventCount();
    if (canPromptForRating && ratingConditionsHaveBeenMet() && ratingAlertIsAppropriate()) {
        services_.runLoop.postToMain([this] { showRatingAlert(); });
    }
}

}  // namespace strumwise::rating
