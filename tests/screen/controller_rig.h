#pragma once

#include "screen/view_controller.h"
#include "support/headless_screen.h"
#include "tones/tone_generator.h"
#include "tuner/tuner_state.h"

namespace strumwise::screen {

// A main screen controller on the headless platform, with its own tuner state, fake microphone
// and tone generator.
struct ControllerRig {
    explicit ControllerRig(platform::headless::ScreenProfile profile = {}) : screen(profile) {}

    testing::HeadlessScreen screen;
    tuner::TunerState tunerState;
    tones::ToneGenerator toneGenerator;
    ViewController controller{screen.services, screen.outlets, tunerState, screen.microphone,
                              toneGenerator};
};

}  // namespace strumwise::screen
