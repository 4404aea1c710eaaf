#pragma once

#include "adapters/desktop/audio/audio_devices.h"

namespace strumwise::platform::desktop {

// Every device PortAudio knows, in its order, each with its PortAudio index as its number and
// its name as its identifier.
AudioDeviceList listPortAudioDevices();

}  // namespace strumwise::platform::desktop
