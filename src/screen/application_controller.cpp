#include "screen/listener_microphone.h"
#include "screen/view_controller.h"

namespace strumwise::screen {

std::unique_ptr<ViewController> ViewController::createForApplication(platform::Services& services,
                                                                     const Outlets& outlets) {
    // Like the objects it stands for, the adapter lives for the process.
    static ListenerMicrophone sharedMicrophone;
    return std::make_unique<ViewController>(services, outlets, tuner::TunerState::shared(),
                                            sharedMicrophone, tones::ToneGenerator::shared());
}

}  // namespace strumwise::screen
