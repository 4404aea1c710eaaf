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

AppDelegate::AppDelegate(platform::Device& device, platform::Log& log,
                         platform::Application& application, platform::Windows& windows,
                         MainScreenFactory makeMainScreen)
    : device_(device),
      log_(log),
      application_(application),
      windows_(windows),
      makeMainScreen_(std::move(makeMainScreen)) {}

bool AppDelegate::applicationDidFinishLaunching() {
    using rating::RatingPrompt;
    RatingPrompt::setAppId(rating::kAppStoreId);
    RatingPrompt::setDaysUntilPrompt(1.0);
    RatingPrompt::setUsesUntilPrompt(2);
    RatingPrompt::setSignificantEventsUntilPrompt(-1);
    RatingPrompt::setTimeBeforeReminding(1.0);
    // Setting the open-in-store choice goes through the shared instance, which creates it here.
    RatingPrompt::sharedInstance().setOpenInAppStore(true);

    initializeStoryBoardBasedOnScreenSize();

    // The delegate has no status-bar appearance of its own to update, so it asks the
    // application to hide the bar.
    application_.setStatusBarHidden(prefersStatusBarHidden(), kStatusBarAnimationSlide);

    RatingPrompt::appLaunched(true);
    return true;
}

void AppDelegate::initializeStoryBoardBasedOnScreenSize() {
    app::initializeStoryBoardBasedOnScreenSize(
        device_, log_, [this](std::string_view name) { installStoryboard(name); });
}

void AppDelegate::installStoryboard(std::string_view name) {
    platform::Storyboard* storyboard = windows_.loadStoryboard(name);
    if (storyboard == nullptr) {
        // The layouts ship with the application, so a missing one is a packaging fault: say
        // which, once, and leave the application without a window rather than crash.
        log_.write("Layout \"" + std::string(name) + "\" is missing from the resources");
        return;
    }
    mainScreen_ = makeMainScreen_(*storyboard);
    window_ = storyboard;
    windows_.installWindow(*storyboard);
    // Showing the window loads the controller's view and makes it appear.
    mainScreen_->controller().viewDidLoad();
    mainScreen_->controller().viewWillAppear(false);
}

}  // namespace strumwise::app
