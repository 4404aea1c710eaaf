#include "adapters/headless/virtual_audio_output.h"

#include <gtest/gtest.h>

#include <vector>

namespace strumwise::platform::headless {
namespace {

StreamFormat toneFormat() {
    return StreamFormat{
        44100.0, kFormatLinearPCM, kFormatFlagIsSignedInteger | kFormatFlagIsPacked, 4, 1, 4, 2, 16,
        0};
}

// Writes a running frame counter into both channels, so the sink can check continuity.
std::int32_t countFrames(void* context, std::uint32_t frames, AudioBufferList& list) {
    auto& counter = *static_cast<std::int16_t*>(context);
    auto* samples = static_cast<std::int16_t*>(list.buffers[0].data);
    for (std::uint32_t i = 0; i < frames; ++i) {
        samples[2 * i] = samples[2 * i + 1] = counter++;
    }
    return 0;
}

TEST(VirtualAudioOutput, RendersExactlyTheFramesOfTheTimeItRan) {
    VirtualRunLoop loop;
    VirtualAudioOutputUnitFactory factory(loop);
    std::vector<std::int16_t> written;
    factory.setFrameSink(
        [&](std::span<const std::int16_t> samples, std::uint32_t channels, double rate) {
            EXPECT_EQ(channels, 2u);
            EXPECT_EQ(rate, 44100.0);
            written.insert(written.end(), samples.begin(), samples.end());
        });
    std::int16_t counter = 0;
    auto unit = factory.newOutputUnit();
    ASSERT_EQ(unit->setStreamFormat(toneFormat()), 0);
    ASSERT_EQ(unit->setRenderCallback(&countFrames, &counter), 0);
    ASSERT_EQ(unit->initialize(), 0);

    EXPECT_EQ(unit->start(), 0);
    loop.advanceBy(500'000);
    EXPECT_EQ(unit->stop(), 0);
    EXPECT_EQ(factory.framesRendered(), 22'050u);
    EXPECT_EQ(unit->stop(), 0);  // stopping twice is harmless
    unit->start();
    loop.advanceBy(12'345);  // 544.4 frames: the whole ones are rendered by stop
    unit->stop();

    ASSERT_EQ(written.size(), 2u * (22'050 + 544));
    for (std::size_t i = 0; i < written.size() / 2; ++i) {
        ASSERT_EQ(written[2 * i], static_cast<std::int16_t>(i));
        ASSERT_EQ(written[2 * i + 1], written[2 * i]);
    }
    EXPECT_EQ(loop.pendingCount(), 0u);
}

}  // namespace
}  // namespace strumwise::platform::headless
