#pragma once

#include "screen/view_controller.h"
#include "support/headless_screen.h"

namespace strumwise::screen {

// A main screen controller with its own tuner state, fake microphone and tone generator.
struct ControllerRig {
    testing::HeadlessScreen screen;
    tuner::TunerState tunerState;
    tones::ToneGenerator toneGenerator;
    ViewController controller{screen.services, screen.outlets, tunerState, screen.microphone,
                              toneGenerator};
};

}  // namespace strumwise::screen
