// The store-facing half of the rating prompt: sending the user to rate, and the product page.

#include "rating/rating_keys.h"
#include "rating/rating_prompt.h"
#include "rating/review_url.h"
#include "rating/string_values.h"

namespace strumwise::rating {

void RatingPrompt::rateApp(RatingPrompt& prompt) {
    const RatingServices& services = prompt.services_;
    // Recorded before any route is taken, so that no route can lead to asking again.
    services.defaults.setBool(true, kRatedCurrentVersionKey);
    services.defaults.synchronize();

    if (services.store.reviewRequestAvailable()) {
        services.store.requestReview();
        return;
    }
    if (!prompt.openInAppStore() && services.store.productPageAvailable()) {
        prompt.presentProductPage();
        return;
    }
    const double systemVersion = leadingFloatValue(services.device.systemVersion());
    services.application.openURL(reviewUrl(prompt.settings_.appId(), systemVersion));
}

void RatingPrompt::presentProductPage() {
    const std::shared_ptr<platform::ProductPage> page = services_.store.makeProductPage();
    if (!page) {
        return;
    }
    page->loadProduct(leadingIntegerValue(settings_.appId()));
    page->setDidFinishHandler([this] { productViewControllerDidFinish(); });

    const bool animated = settings_.usesAnimation();
    if (const std::shared_ptr<RatingPromptDelegate> observer = delegate()) {
        observer->ratingPromptWillPresentModalView(*this, animated);
    }
    // With no controller to present from, the page does not appear and nothing counts as open.
    if (platform::ViewController* presenter = getRootViewController(services_.views)) {
        RatingSettings& settings = settings_;
        presenter->presentViewController(page, animated,
                                         [&settings] { settings.setModalOpen(true); });
    }
}

void RatingPrompt::productViewControllerDidFinish() {
    closeModal(*this);
}

void RatingPrompt::closeModal(RatingPrompt& prompt) {
    RatingSettings& settings = prompt.settings_;
    if (!settings.modalOpen()) {
        return;
    }
    const bool animated = settings.usesAnimation();
    settings.setModalOpen(false);

    platform::Window* keyWindow = prompt.services_.views.keyWindow();
    platform::ViewController* root = keyWindow ? keyWindow->rootViewController() : nullptr;
    if (root == nullptr) {
        return;
    }
    topMostViewController(*root)->dismissViewController(animated, [&prompt, animated] {
        if (const std::shared_ptr<RatingPromptDelegate> observer = prompt.delegate()) {
            observer->ratingPromptDidDismissModalView(prompt, animated);
        }
    });
}

}  // namespace strumwise::rating
