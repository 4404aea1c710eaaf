#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop/portaudio_devices.h"
#include "platform/log.h"

namespace strumwise::platform::desktop {

enum class AudioDirection { Input, Output };

// The device a player names, as `strumwise devices` lists it: its index, its whole name, or a
// part of its name that no other device of that direction shares (letter case aside). Only
// devices with channels in `direction` count. An empty `index` comes with one line saying why.
struct AudioDeviceLookup {
    std::optional<int> index;
    std::string error;
};
AudioDeviceLookup findAudioDevice(const std::vector<AudioDeviceDescription>& devices,
                                  std::string_view request, AudioDirection direction);

// The device remembered from an earlier run, by its whole name; empty (the default device) when
// none is remembered, or when it is gone, which is said in one log line.
std::optional<int> rememberedAudioDevice(const std::vector<AudioDeviceDescription>& devices,
                                         const std::optional<std::string>& name,
                                         AudioDirection direction, Log& log);

}  // namespace strumwise::platform::desktop
