#include "adapters/desktop/audio/audio_device_choice.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

#include "base/printable_text.h"

namespace strumwise::platform::desktop {
namespace {

bool hasChannels(const AudioDeviceDescription& device, AudioDirection direction) {
    return (direction == AudioDirection::Input ? device.inputChannels : device.outputChannels) > 0;
}

std::string_view kindOf(AudioDirection direction) {
    return direction == AudioDirection::Input ? "input" : "output";
}

std::string lowered(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

std::string bracketed(const AudioDeviceDescription& device) {
    return device.onServer ? device.id : device.hostApi;
}

// Built by appending: GCC 12 at -O3 misreads `"literal" + std::string` as an overlapping copy.
std::string joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) {
        text.append(part);
    }
    return text;
}

// `text` with its spaces and tabs run together and trimmed, as a line copied from a terminal
// may have them.
std::string squeezed(std::string_view text) {
    std::string result;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\t';
        if (!blank) {
            result.push_back(c);
        } else if (!result.empty() && result.back() != ' ') {
            result.push_back(' ');
        }
    }
    if (!result.empty() && result.back() == ' ') {
        result.pop_back();
    }
    return result;
}

// What the device's line in `strumwise devices` holds after its number.
std::string describedAfterNumber(const AudioDeviceDescription& device, AudioDirection direction) {
    const bool input = direction == AudioDirection::Input;
    const int channels = input ? device.inputChannels : device.outputChannels;
    const bool isDefault = input ? device.isDefaultInput : device.isDefaultOutput;
    char rate[32];
    std::snprintf(rate, sizeof rate, "%.0f Hz", device.defaultSampleRate);
    return joined({listedName(device), ", ", std::to_string(channels),
                   channels == 1 ? " channel, " : " channels, ", rate,
                   isDefault ? ", default" : ""});
}

bool spelledAs(const AudioDeviceDescription& device, std::string_view request,
               AudioDirection direction) {
    const std::string whole = joined({device.name, " (", bracketed(device), ")"});
    const std::array<std::string, 7> spellings{std::to_string(device.index),
                                               device.name,
                                               device.id,
                                               whole,
                                               printableText(device.name),
                                               printableText(device.id),
                                               listedName(device)};
    if (std::find(spellings.begin(), spellings.end(), request) != spellings.end()) {
        return true;
    }
    // The whole line, from its mark, its number or its name on.
    const std::string asked = squeezed(request);
    const std::string described = describedAfterNumber(device, direction);
    for (const std::string& line :
         {deviceLine(device, direction), joined({std::to_string(device.index), " ", described}),
          described}) {
        if (squeezed(line) == asked) {
            return true;
        }
    }
    return false;
}

bool containsPart(const AudioDeviceDescription& device, const std::string& loweredPart) {
    for (const std::string& text :
         {device.name, device.id, printableText(device.name), printableText(device.id)}) {
        if (lowered(text).find(loweredPart) != std::string::npos) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string listedName(const AudioDeviceDescription& device) {
    return joined({printableText(device.name), " (", printableText(bracketed(device)), ")"});
}

std::string deviceLine(const AudioDeviceDescription& device, AudioDirection direction) {
    const bool isDefault =
        direction == AudioDirection::Input ? device.isDefaultInput : device.isDefaultOutput;
    char number[32];
    std::snprintf(number, sizeof number, "%c %3d  ", isDefault ? '*' : ' ', device.index);
    return joined({number, describedAfterNumber(device, direction)});
}

AudioDeviceLookup findAudioDevice(const std::vector<AudioDeviceDescription>& devices,
                                  std::string_view request, AudioDirection direction) {
    std::vector<const AudioDeviceDescription*> usable;
    for (const AudioDeviceDescription& device : devices) {
        if (hasChannels(device, direction)) {
            usable.push_back(&device);
        }
    }
    for (const AudioDeviceDescription* device : usable) {
        if (!request.empty() && spelledAs(*device, request, direction)) {
            return {*device, {}};
        }
    }
    // A number names a device by its number only: the digits of many names would match it.
    if (!request.empty() && std::all_of(request.begin(), request.end(),
                                        [](unsigned char c) { return std::isdigit(c) != 0; })) {
        return {std::nullopt, joined({"there is no audio ", kindOf(direction), " device ",
                                      shownName(request), " (see strumwise devices)"})};
    }
    const std::string part = lowered(request);
    std::vector<const AudioDeviceDescription*> matches;
    for (const AudioDeviceDescription* device : usable) {
        if (!part.empty() && containsPart(*device, part)) {
            matches.push_back(device);
        }
    }
    if (matches.size() == 1) {
        return {*matches.front(), {}};
    }
    return {std::nullopt,
            joined({matches.empty() ? "no audio " : "more than one audio ", kindOf(direction),
                    " device is named '", shownName(request), "' (see strumwise devices)"})};
}

std::optional<AudioDeviceDescription> rememberedAudioDevice(
    const std::vector<AudioDeviceDescription>& devices, const std::optional<std::string>& id,
    AudioDirection direction, Log& log) {
    if (!id || id->empty()) {
        return std::nullopt;
    }
    for (const bool byName : {false, true}) {
        for (const AudioDeviceDescription& device : devices) {
            if ((byName ? device.name : device.id) == *id && hasChannels(device, direction)) {
                return device;
            }
        }
    }
    log.write(joined({"The audio ", kindOf(direction), " device \"", shownName(*id),
                      "\" chosen earlier is gone; using the default ", kindOf(direction)}));
    return std::nullopt;
}

}  // namespace strumwise::platform::desktop
