// strumwise devices: the audio devices the tuner could listen to and play on, so that a user can
// see why the tuner hears nothing or plays no tone.

#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "adapters/desktop/audio/audio_device_choice.h"
#include "adapters/desktop/audio/audio_devices.h"
#include "app/command_line.h"
#include "app/commands/command.h"
#include "base/printable_text.h"

namespace strumwise::app {
namespace {

using platform::desktop::AudioDeviceDescription;

constexpr std::string_view kUsage =
    "usage: strumwise devices\n"
    "\n"
    "Lists the audio input and output devices with their default sample rates: the sound\n"
    "server's own devices by their descriptions, with the server's name of each in brackets,\n"
    "or, with no sound server, the devices PortAudio finds. The default device of each kind,\n"
    "which the tuner uses, is marked with '*'. --input-device and --output-device take a\n"
    "device's number, its description, its name in brackets or the whole listed name.\n";

// Exit status when the audio system itself cannot be started.
constexpr int kExitNoAudioSystem = 1;

void printDevices(const char* title, const std::vector<AudioDeviceDescription>& devices,
                  bool input) {
    const auto direction = input ? platform::desktop::AudioDirection::Input
                                 : platform::desktop::AudioDirection::Output;
    std::printf("%s:\n", title);
    bool any = false;
    for (const AudioDeviceDescription& device : devices) {
        const int channels = input ? device.inputChannels : device.outputChannels;
        if (channels < 1) {
            continue;
        }
        any = true;
        std::printf("  %s\n", platform::desktop::deviceLine(device, direction).c_str());
    }
    if (!any) {
        std::printf("  none: there is no audio %s device\n", input ? "input" : "output");
    }
}

int runDevices(std::span<const std::string_view> args) {
    CommandLine parsed;
    std::string error = parseCommandLine(args, {}, parsed);
    if (error.empty() && parsed.help) {
        std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
        return 0;
    }
    if (error.empty() && !parsed.operands.empty()) {
        error = "takes no arguments, got '" + printableText(parsed.operands.front()) + "'";
    }
    if (!error.empty()) {
        std::fprintf(stderr, "strumwise devices: %s (see strumwise devices --help)\n",
                     error.c_str());
        return kExitUsage;
    }
    const platform::desktop::AudioDeviceList list = platform::desktop::listAudioDevices();
    if (!list.error.empty()) {
        std::fprintf(stderr, "strumwise devices: %s\n", list.error.c_str());
        return kExitNoAudioSystem;
    }
    printDevices("input devices", list.devices, true);
    printDevices("output devices", list.devices, false);
    return 0;
}

}  // namespace

extern const Command kDevicesCommand{
    .name = "devices",
    .usage = "devices",
    .summary = "lists the audio input and output devices",
    .run = &runDevices,
};

}  // namespace strumwise::app
