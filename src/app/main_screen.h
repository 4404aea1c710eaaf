#pragma once

#include <memory>

#include "platform/services.h"
#include "platform/storyboard.h"
#include "rating/review_request.h"
#include "rating/store_links.h"
#include "screen/microphone.h"
#include "screen/view_controller.h"
#include "tones/tone_generator.h"
#include "tuner/tuner_state.h"

namespace strumwise::app {

// The main screen as a layout brings it to life: its controller, connected to the layout's
// views and actions, with the links out of the application and the review request wired in.
class MainScreen {
  public:
    // `tryToShowPrompt` asks the rating prompt to show itself (the application passes
    // RatingPrompt::tryToShowPrompt). Everything referenced must outlive the screen.
    MainScreen(platform::Services& services, platform::Storyboard& storyboard,
               tuner::TunerState& tunerState, screen::Microphone& microphone,
               tones::ToneGenerator& toneGenerator, std::function<void()> tryToShowPrompt);
    MainScreen(const MainScreen&) = delete;
    MainScreen& operator=(const MainScreen&) = delete;

    screen::ViewController& controller() { return controller_; }

  private:
    screen::ViewController controller_;
    rating::StoreLinks storeLinks_;
    rating::ReviewRequest reviewRequest_;
};

}  // namespace strumwise::app
