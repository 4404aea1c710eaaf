#include "app/main_screen.h"

#include <utility>

#include "screen/outlet_binding.h"

namespace strumwise::app {

MainScreen::MainScreen(platform::Services& services, platform::Storyboard& storyboard,
                       tuner::TunerState& tunerState, screen::Microphone& microphone,
                       tones::ToneGenerator& toneGenerator, std::function<void()> tryToShowPrompt)
    : controller_(services, screen::bindOutlets(storyboard), tunerState, microphone, toneGenerator),
      storeLinks_(services.application),
      reviewRequest_(tunerState, services.runLoop, services.defaults, std::move(tryToShowPrompt),
                     [this] { controller_.resetTuningBools(); }) {
    controller_.setLinkActionHandler(
        [this](std::string_view action) { storeLinks_.sendAction(action); });
    controller_.setUnmatchedLoudTickHandler([this] { reviewRequest_.requestReview(); });
    storyboard.setActionHandler(
        [this](std::string_view action) { controller_.sendAction(action); });
}

}  // namespace strumwise::app
