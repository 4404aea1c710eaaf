#pragma once

#include "platform/application.h"
#include "platform/audio_input.h"
#include "platform/audio_output.h"
#include "platform/audio_session.h"
#include "platform/bundle.h"
#include "platform/clock.h"
#include "platform/device.h"
#include "platform/dispatch.h"
#include "platform/log.h"
#include "platform/run_loop.h"
#include "platform/user_defaults.h"
#include "platform/view_toolkit.h"

namespace strumwise::platform {

// Everything the logic needs of a platform, gathered so that the composition root can hand one
// object around. Components take only the services they use, in their constructors.
// The referenced services outlive every component built from them.
struct Services {
    Log& log;
    Clock& clock;
    RunLoop& runLoop;
    Dispatch& dispatch;
    UserDefaults& defaults;
    Device& device;
    Application& application;
    Bundle& bundle;
    Images& images;
    AudioInputQueueFactory& audioInput;
    AudioOutputUnitFactory& audioOutput;
    // nullptr when the platform has no shared audio session.
    AudioSession* audioSession;
};

}  // namespace strumwise::platform
