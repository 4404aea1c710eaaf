#pragma once

#include <string>
#include <vector>

namespace strumwise::platform::desktop {

// One audio device as PortAudio sees it.
struct AudioDeviceDescription {
    int index = 0;
    std::string name;
    std::string hostApi;
    int inputChannels = 0;
    int outputChannels = 0;
    double defaultSampleRate = 0.0;
    bool isDefaultInput = false;
    bool isDefaultOutput = false;
};

struct AudioDeviceList {
    std::vector<AudioDeviceDescription> devices;
    std::string error;  // empty on success; otherwise one line that says why there is no list
};

// Every device PortAudio knows, in its order.
AudioDeviceList listAudioDevices();

}  // namespace strumwise::platform::desktop
