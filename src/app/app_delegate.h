#pragma once

#include <functional>
#include <memory>

#include "app/main_screen.h"
#include "platform/application.h"
#include "platform/device.h"
#include "platform/log.h"
#include "platform/storyboard.h"
#include "rating/rating_prompt.h"
#include "rating/rating_settings.h"

namespace strumwise::app {

// The application delegate: the launch sequence around the one main screen.
class AppDelegate {
  public:
    // Builds the main screen over a loaded layout; the composition root supplies it.
    using MainScreenFactory = std::function<std::unique_ptr<MainScreen>(platform::Storyboard&)>;

    // What the launch uses. The application passes the rating prompt's shared settings and
    // instance; a run that must not touch process-wide state passes its own.
    struct Services {
        platform::Device& device;
        platform::Log& log;
        platform::Application& application;
        platform::Windows& windows;
        rating::RatingSettings& ratingSettings;
        rating::RatingPrompt& ratingPrompt;
    };

    AppDelegate(const Services& services, MainScreenFactory makeMainScreen);

    // The launch: configures the rating prompt, installs the layout for this screen, hides the
    // status bar and reports the launch to the rating prompt. Always answers true.
    bool applicationDidFinishLaunching();
    void initializeStoryBoardBasedOnScreenSize();
    bool prefersStatusBarHidden() const { return true; }

    // The shell pauses and saves nothing: capture, the tick and the rating prompt carry on
    // through every change of state, and the prompt watches resign-active itself.
    void applicationWillResignActive() {}
    void applicationDidEnterBackground() {}
    void applicationWillEnterForeground() {}
    void applicationDidBecomeActive() {}
    void applicationWillTerminate() {}

    // The installed window's layout, or nullptr before launch and for an unlisted screen.
    platform::Storyboard* window() const { return window_; }
    // The main screen of that window, or nullptr.
    MainScreen* mainScreen() const { return mainScreen_.get(); }

  private:
    void installStoryboard(std::string_view name);

    const Services services_;
    MainScreenFactory makeMainScreen_;
    platform::Storyboard* window_ = nullptr;
    std::unique_ptr<MainScreen> mainScreen_;
};

}  // namespace strumwise::app
