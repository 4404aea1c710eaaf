#include "app/app_delegate.h"

#include <string>
#include <utility>

#include "app/storyboard_selection.h"
#include "rating/rating_prompt.h"
#include "rating/store_config.h"

namespace strumwise::app {
namespace {

// The platform's slide animation for the status bar.
constexpr int kStatusBarAnimationSlide = 2;

}  // namespace

AppDelegate::AppDelegate(const Services& services, MainScreenFactory makeMainScreen)
    : services_(services), makeMainScreen_(std::move(makeMainScreen)) {}

bool AppDelegate::applicationDidFinishLaunching() {
    rating::RatingSettings& settings = services_.ratingSettings;
    settings.setAppId(rating::kAppStoreId);
    settings.setDaysUntilPrompt(1.0);
    settings.setUsesUntilPrompt(2);
    settings.setSignificantEventsUntilPrompt(-1);
    settings.setTimeBeforeReminding(1.0);
    services_.ratingPrompt.setOpenInAppStore(true);

    initializeStoryBoardBasedOnScreenSize();

    // The delegate has no status-bar appearance of its own to update, so it asks the
    // application to hide the bar.
    services_.application.setStatusBarHidden(prefersStatusBarHidden(), kStatusBarAnimationSlide);

    rating::RatingPrompt::appLaunched(services_.ratingPrompt, true);
    return true;
}

void AppDelegate::initializeStoryBoardBasedOnScreenSize() {
    app::initializeStoryBoardBasedOnScreenSize(
        services_.device, services_.log,
        [this](std::string_view name) { installStoryboard(name); });
}

void AppDelegate::installStoryboard(std::string_view name) {
    platform::Storyboard* storyboard = services_.windows.loadStoryboard(name);
    if (storyboard == nullptr) {
        // The layouts ship with the application, so a missing one is a packaging fault: say
        // which, once, and leave the application without a window rather than crash.
        services_.log.write("Layout \"" + std::string(name) + "\" is missing from the resources");
        return;
    }
    mainScreen_ = makeMainScreen_(*storyboard);
    window_ = storyboard;
    services_.windows.installWindow(*storyboard);
    // Showing the window loads the controller's view and makes it appear.
    mainScreen_->controller().viewDidLoad();
    mainScreen_->controller().viewWillAppear(false);
}

}  // namespace strumwise::app
