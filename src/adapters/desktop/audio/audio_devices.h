#pragma once

#include <string>
#include <vector>

#include "adapters/desktop/audio/audio_device_target.h"

namespace strumwise::platform::desktop {

// One audio device as `strumwise devices`, the device options and the About page offer it.
struct AudioDeviceDescription {
    // The number `strumwise devices` shows; for a device PortAudio lists, its PortAudio index.
    int index = 0;
    // What a choice is remembered by: the sound server's own name of the device, which stays the
    // same across restarts, or PortAudio's name of it.
    std::string id;
    // What the player reads: the server's description ("USB Microphone"), or PortAudio's name.
    std::string name;
    // "PulseAudio" for a device of the sound server, else PortAudio's host API ("ALSA").
    std::string hostApi;
    bool onServer = false;
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

// The sound server's devices (PulseAudio, or PipeWire's PulseAudio service), inputs first, when a
// server answers; otherwise every device PortAudio knows, in its order. A server's devices are
// numbered from 0 in the order listed.
AudioDeviceList listAudioDevices();

// The sound server's devices only, as above; an error when no server answers. Any thread: it
// asks nothing of PortAudio.
AudioDeviceList listSoundServerDevices();

// Where a stream on `device` opens.
AudioDeviceTarget targetOf(const AudioDeviceDescription& device);

}  // namespace strumwise::platform::desktop
