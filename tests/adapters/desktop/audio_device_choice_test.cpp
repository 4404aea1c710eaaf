// Choosing the audio devices: a device named on the command line or remembered, the chosen
// microphone as the server's devices come and go, and PortAudio's chatter kept off the terminal.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "adapters/desktop/audio/audio_device_choice.h"
#include "adapters/desktop/audio/chosen_microphone.h"
#include "adapters/desktop/audio/portaudio_chatter.h"
#include "support/lines_log.h"

namespace strumwise::platform::desktop {
namespace {

AudioDeviceDescription portAudio(int index, std::string name, int inputs, int outputs) {
    return {.index = index,
            .id = name,
            .name = name,
            .hostApi = "ALSA",
            .inputChannels = inputs,
            .outputChannels = outputs};
}

AudioDeviceDescription server(int index, std::string id, std::string name, bool input,
                              bool isDefault = false) {
    return {.index = index,
            .id = std::move(id),
            .name = std::move(name),
            .hostApi = "PulseAudio",
            .onServer = true,
            .inputChannels = input ? 1 : 0,
            .outputChannels = input ? 0 : 2,
            .defaultSampleRate = 44100.0,
            .isDefaultInput = input && isDefault,
            .isDefaultOutput = !input && isDefault};
}

// A description may hold anything, a tab and a terminal's colour code among them.
const std::vector<AudioDeviceDescription> kDevices{
    portAudio(0, "HDA Intel PCH: ALC892 Analog (hw:0,0)", 2, 2),
    server(1, "alsa_input.usb-Blue_Yeti", "USB\tMic\x1b[31m", true),
    server(2, "sink_b", "USB Headset", false, true), portAudio(4, "pulse", 32, 32)};

// One line per device whatever its name holds: the name escaped, then the server's name of the
// device or the host API in brackets.
TEST(AudioDeviceChoice, ListsANameEscapedWithItsIdentifierOrHostInBrackets) {
    EXPECT_EQ(listedName(kDevices[1]), "USB\\tMic\\x1b[31m (alsa_input.usb-Blue_Yeti)");
    EXPECT_EQ(listedName(kDevices[2]), "USB Headset (sink_b)");
    EXPECT_EQ(listedName(kDevices[3]), "pulse (ALSA)");
}

// A device is named by any spelling the list prints, or by a part of a name or identifier no
// other device of that direction shares; only devices of that direction count, and a number
// names a device by its number only.
TEST(AudioDeviceChoice, FindsADeviceByEverySpellingTheListPrintsInItsDirection) {
    using enum AudioDirection;
    const struct {
        const char* request;
        AudioDirection direction;
        std::optional<int> index;
    } cases[] = {
        {"1", Input, 1},
        {"1", Output, std::nullopt},
        {"7", Input, std::nullopt},
        {"892", Output, std::nullopt},
        {"pulse", Output, 4},
        {"USB\\tMic\\x1b[31m", Input, 1},
        {"USB\tMic\x1b[31m", Input, 1},
        {"alsa_input.usb-Blue_Yeti", Input, 1},
        {"sink_b", Input, std::nullopt},
        {"usb", Input, 1},
        {"usb", Output, 2},
        {"yeti", Input, 1},
        {"alc892", Output, 0},
        {"u", Output, std::nullopt},
        {"", Input, std::nullopt},
    };
    for (const auto& c : cases) {
        const AudioDeviceLookup found = findAudioDevice(kDevices, c.request, c.direction);
        EXPECT_EQ(found.device ? std::optional(found.device->index) : std::nullopt, c.index)
            << c.request;
        EXPECT_EQ(found.error.empty(), c.index.has_value()) << c.request << ": " << found.error;
    }
    // The listed name, and the whole line as `strumwise devices` prints it, copied from its
    // mark, its number or its name on, with its spaces as a terminal gives them.
    EXPECT_EQ(deviceLine(kDevices[2], Output),
              "*   2  USB Headset (sink_b), 2 channels, 44100 Hz, default");
    for (const AudioDeviceDescription& device : kDevices) {
        const AudioDirection direction = device.inputChannels > 0 ? Input : Output;
        const std::string line = deviceLine(device, direction);
        const std::string fromName = line.substr(line.find(listedName(device)));
        for (const std::string& copied :
             {listedName(device), line, line.substr(line.find_first_not_of(" *")), fromName,
              "\t" + line + "  ", "2 \t " + fromName}) {
            // Another device's number before the name names neither.
            const bool named = !copied.starts_with("2 ") || device.index == 2;
            const AudioDeviceLookup found = findAudioDevice(kDevices, copied, direction);
            EXPECT_EQ(found.device ? std::optional(found.device->id) : std::nullopt,
                      named ? std::optional(device.id) : std::nullopt)
                << copied << ": " << found.error;
        }
    }
    EXPECT_EQ(findAudioDevice(kDevices, "\x1b[2J", Input).error,
              "no audio input device is named '\\x1b[2J' (see strumwise devices)");
    // A name pasted by mistake is shortened as file names are, not echoed whole.
    for (const std::string& huge : {std::string(100000, 'x'), std::string(100000, '7')}) {
        const std::string error = findAudioDevice(kDevices, huge, Output).error;
        EXPECT_LT(error.size(), 200u) << error.substr(0, 300);
        EXPECT_NE(error.find("\u2026"), std::string::npos) << error.substr(0, 300);
    }
}

// A remembered device is found by its identifier, or by the name earlier versions remembered; one
// that is gone gives the default and says so once.
TEST(AudioDeviceChoice, ARememberedDeviceThatIsGoneFallsBackToTheDefaultWithOneLogLine) {
    const struct {
        std::optional<std::string> id;
        AudioDirection direction;
        std::optional<int> index;
        long lines;
    } cases[] = {
        {std::nullopt, AudioDirection::Output, std::nullopt, 0},
        {"", AudioDirection::Output, std::nullopt, 0},
        {"sink_b", AudioDirection::Output, 2, 0},
        {"USB Headset", AudioDirection::Output, 2, 0},
        {"alsa_input.usb-Blue_Yeti", AudioDirection::Input, 1, 0},
        {"alsa_input.usb-Blue_Yeti", AudioDirection::Output, std::nullopt, 1},
        {"USB", AudioDirection::Input, std::nullopt, 1},
    };
    for (const auto& c : cases) {
        testing::LinesLog log;
        const auto found = rememberedAudioDevice(kDevices, c.id, c.direction, log);
        EXPECT_EQ(found ? std::optional(found->index) : std::nullopt, c.index)
            << c.id.value_or("none");
        const std::string said = log.all();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), c.lines) << said;
        EXPECT_EQ(said.find("\"" + c.id.value_or("") + "\" chosen earlier is gone") != said.npos,
                  c.lines == 1)
            << said;
    }
}

// Unplugged, the chosen microphone is said gone once, and the default heard meanwhile named;
// plugged in again, under another number, it is back once; other devices coming and going, and
// nothing chosen at all, change nothing.
TEST(ChosenMicrophone, IsGoneWhileUnpluggedAndBackWhenPluggedInAgain) {
    using enum ChosenMicrophone::Change;
    const AudioDeviceDescription builtIn = server(0, "builtin", "Built-in Audio", true, true);
    const AudioDeviceDescription headset = server(1, "usb_mic", "USB Microphone", true);
    const AudioDeviceDescription other = server(2, "webcam", "Webcam", true);
    // An output's, which is no microphone.
    const AudioDeviceDescription monitor = server(3, "sink.monitor", "Monitor", false);
    ChosenMicrophone microphone(headset);
    const struct {
        std::vector<AudioDeviceDescription> devices;
        ChosenMicrophone::Change change;
        std::string heard;
    } steps[] = {
        {{builtIn, headset}, None, "Built-in Audio"},
        {{builtIn, headset, other}, None, "Built-in Audio"},
        {{builtIn, other}, Gone, "Built-in Audio"},
        {{builtIn}, None, "Built-in Audio"},
        {{monitor}, None, ""},
        {{builtIn, server(5, "usb_mic", "USB Microphone", true)}, Back, "Built-in Audio"},
        // The server makes it the default again.
        {{server(0, "builtin", "Built-in Audio", true),
          server(5, "usb_mic", "USB Microphone", true, true)},
         None,
         "USB Microphone"},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        EXPECT_EQ(microphone.update(steps[i].devices), steps[i].change) << "step " << i;
        EXPECT_EQ(microphone.heard(), steps[i].heard) << "step " << i;
        EXPECT_EQ(microphone.gone(), i >= 2 && i <= 4) << "step " << i;
    }
    EXPECT_EQ(microphone.chosen()->index, 5) << "as the server numbers it now";

    ChosenMicrophone defaultOnly;
    EXPECT_EQ(defaultOnly.update({other}), None);
    microphone.choose(builtIn);
    EXPECT_EQ(microphone.update({other}), Gone);
    microphone.choose(other);
    EXPECT_EQ(microphone.update({other}), None) << "a new choice is there";
}

// PortAudio's lines go, however the writes cut them; every other line passes whole and in order,
// and a line that is plainly not PortAudio's passes before its end has come.
TEST(PortAudioChatter, TakesOutPortAudiosLinesAndPassesTheRestAtOnce) {
    const std::string chatter =
        "Expression 'AlsaOpen( hostApi, parameters, streamDir, &pcm )' failed in "
        "'src/hostapi/alsa/pa_linux_alsa.c', line: 1768\n";
    const std::string ours = "strumwise: Audio capture stopped; trying the input again every 2 s\n";
    const std::string lookalike = "Expression 'x' is what the player typed\n";
    const std::string all = chatter + ours + chatter + lookalike + chatter;
    for (const std::size_t cut : {all.size(), std::size_t{1}, std::size_t{5}, std::size_t{64}}) {
        PortAudioChatterFilter filter;
        std::string passed;
        for (std::size_t at = 0; at < all.size(); at += cut) {
            passed += filter.pass(std::string_view(all).substr(at, cut));
        }
        EXPECT_EQ(passed, ours + lookalike) << "in pieces of " << cut;
    }
    PortAudioChatterFilter filter;
    EXPECT_EQ(filter.pass("Qt: a warning"), "Qt: a warning");
    EXPECT_EQ(filter.pass(" that goes on\nExpr"), " that goes on\n");
    EXPECT_EQ(filter.pass("ession"), "");
    EXPECT_EQ(filter.pass("s are fine\n"), "Expressions are fine\n");
}

}  // namespace
}  // namespace strumwise::platform::desktop
