#include "platform/desktop/audio_device_choice.h"

#include <gtest/gtest.h>

namespace strumwise::platform::desktop {
namespace {

struct Lines : Log {
    std::vector<std::string> lines;
    void write(std::string_view line) override { lines.emplace_back(line); }
};

AudioDeviceDescription device(int index, std::string name, int inputs, int outputs) {
    AudioDeviceDescription description;
    description.index = index;
    description.name = std::move(name);
    description.inputChannels = inputs;
    description.outputChannels = outputs;
    return description;
}

const std::vector<AudioDeviceDescription> kDevices{
    device(0, "HDA Intel PCH: ALC892 Analog (hw:0,0)", 2, 2), device(3, "USB Mic", 1, 0),
    device(4, "pulse", 32, 32), device(5, "pulse monitor", 2, 0)};

// A device is named by its index or name as `strumwise devices` lists them, or by a part of a
// name no other device of that direction shares; only devices of that direction count.
TEST(AudioDeviceChoice, FindsADeviceByIndexOrNameInItsDirection) {
    using enum AudioDirection;
    const struct {
        const char* request;
        AudioDirection direction;
        std::optional<int> index;
    } cases[] = {
        {"3", Input, 3},           {"3", Output, std::nullopt}, {"7", Input, std::nullopt},
        {"pulse", Input, 4},       {"USB Mic", Input, 3},       {"USB Mic", Output, std::nullopt},
        {"alc892", Output, 0},     {"monitor", Input, 5},       {"pul", Input, std::nullopt},
        {"", Input, std::nullopt},
    };
    for (const auto& c : cases) {
        const AudioDeviceLookup found = findAudioDevice(kDevices, c.request, c.direction);
        EXPECT_EQ(found.index, c.index) << c.request;
        EXPECT_EQ(found.error.empty(), c.index.has_value()) << c.request << ": " << found.error;
    }
}

// A remembered device is found by its whole name; one that is gone gives the default and says so
// once.
TEST(AudioDeviceChoice, ARememberedDeviceThatIsGoneFallsBackToTheDefaultWithOneLogLine) {
    const struct {
        std::optional<std::string> name;
        AudioDirection direction;
        std::optional<int> index;
        std::size_t lines;
    } cases[] = {
        {std::nullopt, AudioDirection::Output, std::nullopt, 0},
        {"", AudioDirection::Output, std::nullopt, 0},
        {"pulse", AudioDirection::Output, 4, 0},
        {"USB Mic", AudioDirection::Input, 3, 0},
        {"USB Mic", AudioDirection::Output, std::nullopt, 1},
        {"USB", AudioDirection::Input, std::nullopt, 1},
    };
    for (const auto& c : cases) {
        Lines log;
        EXPECT_EQ(rememberedAudioDevice(kDevices, c.name, c.direction, log), c.index)
            << c.name.value_or("none");
        ASSERT_EQ(log.lines.size(), c.lines) << c.name.value_or("none");
        if (c.lines == 1) {
            EXPECT_NE(log.lines[0].find("\"" + *c.name + "\" chosen earlier is gone"),
                      std::string::npos)
                << log.lines[0];
        }
    }
}

}  // namespace
}  // namespace strumwise::platform::desktop
