#include "adapters/desktop/audio/chosen_microphone.h"

#include <gtest/gtest.h>

namespace strumwise::platform::desktop {
namespace {

AudioDeviceDescription input(int index, std::string id, std::string name, bool isDefault) {
    return {.index = index,
            .id = std::move(id),
            .name = std::move(name),
            .hostApi = "PulseAudio",
            .onServer = true,
            .inputChannels = 1,
            .isDefaultInput = isDefault};
}

// Unplugged, the chosen microphone is said gone once, and the default heard meanwhile named;
// plugged in again, under another number, it is back once; other devices coming and going, and
// nothing chosen at all, change nothing.
TEST(ChosenMicrophone, IsGoneWhileUnpluggedAndBackWhenPluggedInAgain) {
    using enum ChosenMicrophone::Change;
    const AudioDeviceDescription builtIn = input(0, "builtin", "Built-in Audio", true);
    const AudioDeviceDescription headset = input(1, "usb_mic", "USB Microphone", false);
    const AudioDeviceDescription other = input(2, "webcam", "Webcam", false);
    AudioDeviceDescription monitor = input(3, "sink.monitor", "Monitor", false);
    monitor.inputChannels = 0;  // an output's, which is no microphone
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
        {{builtIn, input(5, "usb_mic", "USB Microphone", false)}, Back, "Built-in Audio"},
        // The server makes it the default again.
        {{input(0, "builtin", "Built-in Audio", false),
          input(5, "usb_mic", "USB Microphone", true)},
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

}  // namespace
}  // namespace strumwise::platform::desktop
