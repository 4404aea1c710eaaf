#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace strumwise::platform::desktop {

// One device of the sound server (PulseAudio, or PipeWire's PulseAudio service).
struct SoundServerDevice {
    // The server's own name: stable across restarts and reboots, so it is what a choice is
    // remembered by ("alsa_input.usb-Blue_Yeti-00.analog-stereo").
    std::string name;
    // What the desktop's own sound settings call it ("Yeti Stereo Microphone Analog Stereo").
    std::string description;
    int channels = 0;
    int sampleRate = 0;
};

struct SoundServerDevices {
    // Whether a server answered; when not, `error` says why in one line.
    bool reachable = false;
    std::string error;
    // "PulseAudio", or how PipeWire's service names itself.
    std::string serverName;
    std::vector<SoundServerDevice> sources;  // inputs, the sinks' monitors among them
    std::vector<SoundServerDevice> sinks;    // outputs
    std::string defaultSource;
    std::string defaultSink;
};

// Asks the server the process would connect to (PULSE_SERVER, or the session's) for its devices,
// waiting at most `limit` for its answers. Never starts a server. Any thread; blocks.
SoundServerDevices querySoundServer(
    std::chrono::milliseconds limit = std::chrono::milliseconds(2000));

}  // namespace strumwise::platform::desktop
