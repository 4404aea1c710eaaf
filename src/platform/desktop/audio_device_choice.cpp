#include "platform/desktop/audio_device_choice.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "base/printable_text.h"

namespace strumwise::platform::desktop {
namespace {

bool hasChannels(const AudioDeviceDescription& device, AudioDirection direction) {
    return (direction == AudioDirection::Input ? device.inputChannels : device.outputChannels) > 0;
}

const char* kindOf(AudioDirection direction) {
    return direction == AudioDirection::Input ? "input" : "output";
}

std::string lowered(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

}  // namespace

AudioDeviceLookup findAudioDevice(const std::vector<AudioDeviceDescription>& devices,
                                  std::string_view request, AudioDirection direction) {
    // Built by appending: GCC 12 at -O3 reports a false -Wrestrict (its bug 105651) inside
    // std::operator+ when a literal is prepended to a temporary string.
    std::string quoted(1, '\'');
    quoted += printableText(request);
    quoted += '\'';
    std::vector<const AudioDeviceDescription*> usable;
    for (const AudioDeviceDescription& device : devices) {
        if (hasChannels(device, direction)) {
            usable.push_back(&device);
        }
    }
    int index = -1;
    const char* end = request.data() + request.size();
    if (!request.empty() && std::from_chars(request.data(), end, index).ptr == end) {
        for (const AudioDeviceDescription* device : usable) {
            if (device->index == index) {
                return {device->index, {}};
            }
        }
        return {std::nullopt, "there is no audio " + std::string(kindOf(direction)) + " device " +
                                  quoted + " (see strumwise devices)"};
    }
    for (const AudioDeviceDescription* device : usable) {
        if (device->name == request) {
            return {device->index, {}};
        }
    }
    const std::string part = lowered(request);
    std::vector<const AudioDeviceDescription*> matches;
    for (const AudioDeviceDescription* device : usable) {
        if (!part.empty() && lowered(device->name).find(part) != std::string::npos) {
            matches.push_back(device);
        }
    }
    if (matches.size() == 1) {
        return {matches.front()->index, {}};
    }
    const std::string why = matches.empty() ? "no audio " : "more than one audio ";
    return {std::nullopt,
            why + kindOf(direction) + " device is named " + quoted + " (see strumwise devices)"};
}

std::optional<int> rememberedAudioDevice(const std::vector<AudioDeviceDescription>& devices,
                                         const std::optional<std::string>& name,
                                         AudioDirection direction, Log& log) {
    if (!name || name->empty()) {
        return std::nullopt;
    }
    for (const AudioDeviceDescription& device : devices) {
        if (device.name == *name && hasChannels(device, direction)) {
            return device.index;
        }
    }
    log.write("The audio " + std::string(kindOf(direction)) + " device \"" + printableText(*name) +
              "\" chosen earlier is gone; using the default " + kindOf(direction));
    return std::nullopt;
}

}  // namespace strumwise::platform::desktop
