#pragma once

#include <optional>
#include <string>

namespace strumwise::platform::desktop {

// The device a stream opens, resolved again each time it opens, so that a sound server that
// starts (or comes back) after the tuner is found then. With neither field set: the sound
// server's default device when a server answers, or else PortAudio's default device.
struct AudioDeviceTarget {
    // A device of the sound server, by the server's own name: the tones play on it through the
    // server's own client library, and the microphone opens through ALSA's PulseAudio plug-in,
    // which PortAudio reaches as an ALSA device.
    std::string serverDevice;
    // A device PortAudio lists itself, on a machine without a sound server.
    std::optional<int> portAudioIndex;
    // What log lines call it; empty: "the default".
    std::string shownName;

    bool isDefault() const { return serverDevice.empty() && !portAudioIndex; }
    bool operator==(const AudioDeviceTarget&) const = default;
};

}  // namespace strumwise::platform::desktop
