#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "rating/rating_prompt_delegate.h"
#include "rating/rating_services.h"
#include "rating/rating_settings.h"

namespace strumwise::rating {

// The alert the prompt presented last, in whichever style the platform offered.
struct RatingAlert {
    std::shared_ptr<platform::AlertController> controller;
    std::shared_ptr<platform::AlertView> view;

    bool empty() const { return !controller && !view; }
};

// Now and then asks the user to rate the application in the store.
//
// It counts uses and significant events per application version in the user defaults, decides
// whether the user has used this version enough to be asked and whether the moment is right
// (network reachable, not declined, not rated, no alert up), shows the platform's review request
// or its own alert, remembers the answer, and sends the user to the store.
//
// The operations that act on a prompt are class operations taking the instance, as the
// application and the tests each own theirs.
//
// Threads: reports return at once; the counting and the appropriateness test run on the
// platform's background queue or the instance's serial queue, and everything visible (alerts,
// store, windows) on the main thread. Every field shared between those threads is atomic or
// behind the instance's mutex.
class RatingPrompt {
  public:
    // An instance of its own over `services` and `settings`, which must outlive it. It
    // subscribes to the application's will-resign-active notification for as long as it lives.
    RatingPrompt(const RatingServices& services, RatingSettings& settings);
    ~RatingPrompt();
    RatingPrompt(const RatingPrompt&) = delete;
    RatingPrompt& operator=(const RatingPrompt&) = delete;

    // --- Reports. Each returns at once; `canPromptForRating` false counts without prompting.

    static void appLaunched(RatingPrompt& prompt, bool canPromptForRating);
    static void appEnteredForeground(RatingPrompt& prompt, bool canPromptForRating);
    static void userDidSignificantEvent(RatingPrompt& prompt, bool canPromptForRating);

    // --- Showing the prompt, on the caller's thread, without the usage conditions.

    // Shows the prompt with its remind button when the moment is appropriate.
    static void showPrompt(RatingPrompt& prompt);
    static void tryToShowPrompt(RatingPrompt& prompt);
    // Shows the prompt whatever the moment.
    static void forceShowPrompt(RatingPrompt& prompt, bool displayRateLaterButton);
    // Hides the alert when the application stops being active.
    static void appWillResignActive(RatingPrompt& prompt);
    // Where the prompt's texts come from.
    static const platform::Bundle& bundle(const RatingPrompt& prompt);

    // --- Sending the user to the store (main thread).

    // Marks this version rated, then asks for the platform's review sheet, opens the store's
    // product page, or opens the review page by URL, whichever the platform and settings allow.
    static void rateApp(RatingPrompt& prompt);
    // Closes the product page if it is open.
    static void closeModal(RatingPrompt& prompt);
    // The controller to present from: the top of the first controller found in the key window,
    // or in the first normal-level window when the key window sits above that level.
    static platform::ViewController* getRootViewController(const platform::ViewHierarchy& views);
    // Depth first through the subviews of `view`: the top controller of the first subview
    // managed by a controller.
    static platform::ViewController* iterateSubViewsForViewController(const platform::View& view);
    // Follows the presented controllers of `controller` to the last one.
    static platform::ViewController* topMostViewController(platform::ViewController& controller);

    // --- Usage tracking (any thread).

    void incrementUseCount();
    void incrementSignificantEventCount();
    void incrementAndRate(bool canPromptForRating);
    void incrementSignificantEventAndRate(bool canPromptForRating);
    bool ratingConditionsHaveBeenMet() const;
    // False from a "remind me later" answer until the time before reminding has passed.
    bool reminderWaitHasPassed() const;
    bool userHasDeclinedToRate() const;
    bool userHasRatedCurrentVersion() const;

    // --- The alert.

    // Network reachable, not declined, no alert up, not rated, no reminder pending and the
    // application in front: tested in that order, and the network is always probed first. Any
    // thread.
    bool ratingAlertIsAppropriate();
    // Reachability, confirmed by a test request. At most one test request is in flight, none
    // starts within a minute of the last, and none at all once the version is rated or
    // declined. Any thread.
    bool connectedToNetwork();
    bool isRatingAlertVisible() const;
    // Main thread from here on.
    void showRatingAlert(bool displayRateLaterButton = true);
    void showPromptWithChecks(bool withChecks, bool displayRateLaterButton);
    void hideRatingAlert();
    // The answer: 0 decline, 1 rate, 2 remind later; anything else records nothing.
    void alertViewDidDismissWithButtonIndex(std::int64_t buttonIndex);
    // The product page was closed by the user.
    void productViewControllerDidFinish();

    // --- Texts: the custom text when set, else the localized default.

    std::string alertTitle() const;
    std::string alertMessage() const;
    std::string alertCancelTitle() const;
    std::string alertRateTitle() const;
    std::string alertRateLaterTitle() const;
    // nullopt restores the localized default.
    void setAlertTitle(std::optional<std::string> title);
    void setAlertMessage(std::optional<std::string> message);
    void setAlertCancelTitle(std::optional<std::string> title);
    void setAlertRateTitle(std::optional<std::string> title);
    void setAlertRateLaterTitle(std::optional<std::string> title);

    // --- Plain accessors.

    bool openInAppStore() const { return openInAppStore_.load(); }
    void setOpenInAppStore(bool open) { openInAppStore_.store(open); }
    RatingAlert ratingAlert() const;
    void setRatingAlert(RatingAlert alert);
    // The delegate is not owned: the prompt forgets it when its owner lets it go.
    std::shared_ptr<RatingPromptDelegate> delegate() const;
    void setDelegate(std::weak_ptr<RatingPromptDelegate> delegate);
    std::shared_ptr<platform::TaskQueue> eventQueue() const;
    void setEventQueue(std::shared_ptr<platform::TaskQueue> queue);

    const RatingSettings& settings() const { return settings_; }

  private:
    struct CustomTexts {
        std::optional<std::string> title;
        std::optional<std::string> message;
        std::optional<std::string> cancelTitle;
        std::optional<std::string> rateTitle;
        std::optional<std::string> rateLaterTitle;
    };

    // The tracked version, adopting the running one when none is tracked; true when they match.
    bool checkVersion(std::string& runningVersion) const;
    void debugLog(std::string_view line) const;
    std::string applicationName() const;
    std::string localizedText(std::string_view key) const;
    std::string customOr(std::optional<std::string> CustomTexts::*text, std::string_view key,
                         bool formatWithName) const;
    // The latest test request, after starting a new one when it is due.
    std::shared_ptr<platform::DataTask> testRequest();
    void showControllerAlert(bool displayRateLaterButton);
    void showViewAlert(bool displayRateLaterButton);
    void presentProductPage();

    const RatingServices services_;
    RatingSettings& settings_;
    std::atomic<bool> openInAppStore_;

    mutable std::mutex mutex_;
    RatingAlert ratingAlert_;
    std::weak_ptr<RatingPromptDelegate> delegate_;
    CustomTexts customTexts_;
    std::shared_ptr<platform::TaskQueue> eventQueue_;

    // Counting is a read-modify-write of the user defaults from two queues; one at a time keeps
    // every count.
    std::mutex trackingMutex_;

    // The network probe's test request and when it started; probes come from several threads.
    std::mutex probeMutex_;
    std::shared_ptr<platform::DataTask> testRequest_;
    std::optional<double> testRequestStartedAt_;

    // Last, so that it unsubscribes before anything its handler uses goes away.
    std::unique_ptr<platform::AppNotifications::Subscription> resignActiveSubscription_;
};

}  // namespace strumwise::rating
