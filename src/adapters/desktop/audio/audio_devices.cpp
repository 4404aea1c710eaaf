#include "adapters/desktop/audio/audio_devices.h"

#include "adapters/desktop/audio/portaudio_devices.h"
#include "adapters/desktop/audio/sound_server_devices.h"

namespace strumwise::platform::desktop {
namespace {

constexpr const char* kServerHost = "PulseAudio";

void addServerDevices(const std::vector<SoundServerDevice>& found, const std::string& defaultName,
                      bool input, AudioDeviceList& list) {
    for (const SoundServerDevice& device : found) {
        const bool isDefault = device.name == defaultName;
        list.devices.push_back({
            .index = static_cast<int>(list.devices.size()),
            .id = device.name,
            .name = device.description,
            .hostApi = kServerHost,
            .onServer = true,
            .inputChannels = input ? device.channels : 0,
            .outputChannels = input ? 0 : device.channels,
            .defaultSampleRate = static_cast<double>(device.sampleRate),
            .isDefaultInput = input && isDefault,
            .isDefaultOutput = !input && isDefault,
        });
    }
}

}  // namespace

AudioDeviceList listSoundServerDevices() {
    const SoundServerDevices server = querySoundServer();
    AudioDeviceList list;
    if (!server.reachable) {
        list.error = server.error;
        return list;
    }
    addServerDevices(server.sources, server.defaultSource, true, list);
    addServerDevices(server.sinks, server.defaultSink, false, list);
    return list;
}

AudioDeviceList listAudioDevices() {
    // PortAudio, as Debian builds it, reaches a sound server only through ALSA's "pulse" and
    // "default" devices, which name no microphone or speaker: the server is asked directly.
    AudioDeviceList list = listSoundServerDevices();
    return list.error.empty() ? list : listPortAudioDevices();
}

AudioDeviceTarget targetOf(const AudioDeviceDescription& device) {
    AudioDeviceTarget target;
    if (device.onServer) {
        target.serverDevice = device.id;
    } else {
        target.portAudioIndex = device.index;
    }
    target.shownName = device.name;
    return target;
}

}  // namespace strumwise::platform::desktop
