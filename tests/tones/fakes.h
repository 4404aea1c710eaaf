#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/audio_output.h"
#include "tones/tone_generator.h"

namespace strumwise::tones::testing {

// Renders `frames` stereo frames in one call into one interleaved buffer.
inline std::vector<std::int16_t> renderStereo(ToneGenerator& generator, std::uint32_t frames) {
    std::vector<std::int16_t> interleaved(2 * static_cast<std::size_t>(frames));
    platform::AudioBuffer buffer{2, frames * 4, interleaved.data()};
    platform::AudioBufferList list{1, &buffer};
    EXPECT_EQ(generator.render(frames, list), 0);
    return interleaved;
}

// The left channel of interleaved stereo frames, checking on the way that every frame carries the
// same sample in both halves.
template <typename Sample>
std::vector<Sample> leftChannel(const std::vector<std::int16_t>& interleaved) {
    std::vector<Sample> left;
    for (std::size_t i = 0; i + 1 < interleaved.size(); i += 2) {
        EXPECT_EQ(interleaved[i], interleaved[i + 1]) << "frame " << i / 2;
        left.push_back(interleaved[i]);
    }
    return left;
}

// A factory whose units record, in one list, every call any of them receives.
struct FakeFactory : platform::AudioOutputUnitFactory {
    bool hasUnit = true;
    bool startFails = false;  // what every unit's startFailed answers
    int unitsMade = 0;
    std::vector<std::string> calls;
    platform::StreamFormat format;
    platform::RenderCallback callback = nullptr;
    void* context = nullptr;

    struct Unit : platform::AudioOutputUnit {
        explicit Unit(FakeFactory& factory) : f(factory) {}
        std::int32_t setStreamFormat(const platform::StreamFormat& format) override {
            f.format = format;
            return note("format");
        }
        std::int32_t setRenderCallback(platform::RenderCallback cb, void* context) override {
            f.callback = cb;
            f.context = context;
            return note("callback");
        }
        std::int32_t initialize() override { return note("initialize"); }
        std::int32_t start() override { return note("start"); }
        std::int32_t stop() override { return note("stop"); }
        bool startFailed() override { return f.startFails; }
        std::int32_t note(const char* call) {
            f.calls.emplace_back(call);
            return 0;
        }
        FakeFactory& f;
    };
    std::unique_ptr<platform::AudioOutputUnit> newOutputUnit() override {
        return hasUnit ? (++unitsMade, std::make_unique<Unit>(*this)) : nullptr;
    }
};

}  // namespace strumwise::tones::testing
