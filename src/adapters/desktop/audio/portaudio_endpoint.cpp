#include "adapters/desktop/audio/portaudio_endpoint.h"

#include <algorithm>
#include <chrono>

#include "adapters/desktop/audio/sound_server_devices.h"
#include "base/printable_text.h"

namespace strumwise::platform::desktop {
namespace {

// A server that has not listed its devices by then is as good as absent; the caller tries again.
constexpr auto kServerAnswerLimit = std::chrono::milliseconds(1500);

// Built by appending: GCC 12 at -O3 misreads `"literal" + std::string` as an overlapping copy.
std::string quotedName(const std::string& name) {
    std::string quoted(1, '"');
    quoted.append(printableText(name)).push_back('"');
    return quoted;
}

// ALSA's name of the PulseAudio plug-in opened on one device of the server; ALSA reads the
// quoted argument with backslash escapes.
std::string pulsePluginDevice(const std::string& serverDevice) {
    if (serverDevice.empty()) {
        return "pulse";
    }
    std::string quoted;
    for (const char c : serverDevice) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return "pulse:DEVICE=\"" + quoted + "\"";
}

}  // namespace

PortAudioEndpoint::PortAudioEndpoint(const AudioDeviceTarget& target, bool input, int channels,
                                     double latency) {
    parameters_.channelCount = channels;
    parameters_.sampleFormat = paInt16;
    parameters_.suggestedLatency = latency;
    if (target.portAudioIndex) {
        resolvePortAudioDevice(*target.portAudioIndex, input);
    } else {
        resolveServerDevice(target, input);
    }
}

void PortAudioEndpoint::resolveServerDevice(const AudioDeviceTarget& target, bool input) {
    const SoundServerDevices server = querySoundServer(kServerAnswerLimit);
    if (!server.reachable) {
        if (target.serverDevice.empty()) {
            // No server: a machine that plays straight to its sound card.
            const PaDeviceIndex device =
                input ? Pa_GetDefaultInputDevice() : Pa_GetDefaultOutputDevice();
            if (device != paNoDevice) {
                resolvePortAudioDevice(device, input);
                return;
            }
        }
        error_ = server.error;
        return;
    }
    const std::string& wanted = !target.serverDevice.empty() ? target.serverDevice
                                : input                      ? server.defaultSource
                                                             : server.defaultSink;
    const auto& devices = input ? server.sources : server.sinks;
    const auto found = std::find_if(devices.begin(), devices.end(),
                                    [&](const SoundServerDevice& d) { return d.name == wanted; });
    if (found == devices.end()) {
        if (!target.serverDevice.empty()) {
            error_ = std::string("the sound server has no ")
                         .append(input ? "input" : "output")
                         .append(" device ")
                         .append(quotedName(target.serverDevice));
            return;
        }
        // A server without a default device still takes a stream, on whatever it has.
    } else {
        defaultSampleRate_ = found->sampleRate;
        shownName_ = quotedName(found->description);
    }
    if (shownName_.empty()) {
        shownName_ = "\"the sound server's default\"";
    }
    if (Pa_HostApiTypeIdToHostApiIndex(paALSA) < 0) {
        error_ = "PortAudio was built without ALSA, through which it reaches the sound server";
        return;
    }
    alsaDevice_ = pulsePluginDevice(target.serverDevice);
    PaAlsa_InitializeStreamInfo(&alsa_);
    alsa_.deviceString = alsaDevice_.c_str();
    parameters_.device = paUseHostApiSpecificDeviceSpecification;
    parameters_.hostApiSpecificStreamInfo = &alsa_;
    throughAlsa_ = true;
}

void PortAudioEndpoint::resolvePortAudioDevice(PaDeviceIndex device, bool input) {
    const PaDeviceInfo* info =
        device >= 0 && device < Pa_GetDeviceCount() ? Pa_GetDeviceInfo(device) : nullptr;
    if (info == nullptr) {
        error_ =
            std::string("audio device ").append(std::to_string(device)).append(" does not exist");
        return;
    }
    shownName_ = quotedName(info->name != nullptr ? info->name : "?");
    if ((input ? info->maxInputChannels : info->maxOutputChannels) < 1) {
        error_ =
            "audio device " + shownName_ + " has no " + (input ? "input" : "output") + " channels";
        return;
    }
    parameters_.device = device;
    parameters_.hostApiSpecificStreamInfo = nullptr;
    defaultSampleRate_ = info->defaultSampleRate;
    const PaHostApiInfo* host = Pa_GetHostApiInfo(info->hostApi);
    throughAlsa_ = host != nullptr && host->type == paALSA;
}

}  // namespace strumwise::platform::desktop
