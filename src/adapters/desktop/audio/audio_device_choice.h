#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "adapters/desktop/audio/audio_devices.h"
#include "platform/log.h"

namespace strumwise::platform::desktop {

enum class AudioDirection { Input, Output };

// How `strumwise devices` shows a device after its number: its name, then in brackets its
// identifier (the sound server's name of it) or, for a device PortAudio lists, its host API;
// control characters escaped as in every message. One line, whatever the names hold.
std::string listedName(const AudioDeviceDescription& device);

// The whole line `strumwise devices` prints for a device in `direction`: its mark ('*' for the
// default), its number, its listed name, its channels and its rate ("*   0  USB Microphone
// (usb_mic), 2 channels, 44100 Hz, default").
std::string deviceLine(const AudioDeviceDescription& device, AudioDirection direction);

// The device a player names: by any spelling `strumwise devices` prints (its number, its name,
// its identifier, the listed name, escaped or not, or the whole line from any point before the
// name, however its spaces were copied), or by a part of its name or identifier that no other
// device of that direction shares (letter case aside). Only devices with channels in `direction`
// count. An empty `device` comes with one line saying why, a long request shortened in it.
struct AudioDeviceLookup {
    std::optional<AudioDeviceDescription> device;
    std::string error;
};
AudioDeviceLookup findAudioDevice(const std::vector<AudioDeviceDescription>& devices,
                                  std::string_view request, AudioDirection direction);

// The device remembered from an earlier run, by its identifier (or, as earlier versions
// remembered it, its name); empty (the default device) when none is remembered, or when it is
// gone, which is said in one log line.
std::optional<AudioDeviceDescription> rememberedAudioDevice(
    const std::vector<AudioDeviceDescription>& devices, const std::optional<std::string>& id,
    AudioDirection direction, Log& log);

}  // namespace strumwise::platform::desktop
