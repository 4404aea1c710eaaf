#include "adapters/desktop/audio/portaudio_devices.h"

#include <portaudio.h>

#include <memory>

#include "adapters/desktop/audio/portaudio_system.h"

namespace strumwise::platform::desktop {

AudioDeviceList listPortAudioDevices() {
    AudioDeviceList list;
    const std::shared_ptr<PortAudioSystem> system = PortAudioSystem::acquire();
    if (!system->ok()) {
        list.error = system->error();
        return list;
    }
    const PaDeviceIndex count = Pa_GetDeviceCount();
    if (count < 0) {
        list.error = "PortAudio cannot count the audio devices: " + portAudioErrorText(count);
        return list;
    }
    const PaDeviceIndex defaultInput = Pa_GetDefaultInputDevice();
    const PaDeviceIndex defaultOutput = Pa_GetDefaultOutputDevice();
    for (PaDeviceIndex index = 0; index < count; ++index) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(index);
        if (info == nullptr) {
            continue;
        }
        const PaHostApiInfo* host = Pa_GetHostApiInfo(info->hostApi);
        list.devices.push_back({
            .index = index,
            .id = info->name != nullptr ? info->name : "",
            .name = info->name != nullptr ? info->name : "",
            .hostApi = host != nullptr && host->name != nullptr ? host->name : "",
            .inputChannels = info->maxInputChannels,
            .outputChannels = info->maxOutputChannels,
            .defaultSampleRate = info->defaultSampleRate,
            .isDefaultInput = index == defaultInput,
            .isDefaultOutput = index == defaultOutput,
        });
    }
    return list;
}

}  // namespace strumwise::platform::desktop
