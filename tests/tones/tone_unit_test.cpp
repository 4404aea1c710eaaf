#include "tones/tone_unit.h"

#include <gtest/gtest.h>

#include <vector>

#include "tones/fakes.h"

namespace strumwise::tones {
namespace {

using testing::FakeOutputUnitFactory;
using Calls = std::vector<std::string>;

TEST(ToneUnit, SetupConfiguresAndInitializesWithoutStarting) {
    FakeOutputUnitFactory factory;
    ToneGenerator generator;
    ToneUnit unit(factory, generator);
    EXPECT_FALSE(unit.hasUnit());
    unit.setupAudio();

    EXPECT_EQ(factory.record.calls, (Calls{"format", "callback", "initialize"}));
    const platform::StreamFormat& format = factory.record.format;
    EXPECT_EQ(format.sampleRate, 44100.0);
    EXPECT_EQ(format.formatID, 0x6C70636Du);  // 'lpcm'
    EXPECT_EQ(format.formatFlags, 12u);
    EXPECT_EQ(format.bytesPerPacket, 4u);
    EXPECT_EQ(format.framesPerPacket, 1u);
    EXPECT_EQ(format.bytesPerFrame, 4u);
    EXPECT_EQ(format.channelsPerFrame, 2u);
    EXPECT_EQ(format.bitsPerChannel, 16u);
    EXPECT_EQ(format.reserved, 0u);
    EXPECT_FALSE(unit.isPlaying());
}

TEST(ToneUnit, InstalledCallbackRendersTheGenerator) {
    FakeOutputUnitFactory factory;
    ToneGenerator generator;
    generator.setCurTone(kWaveTriangle);
    ToneUnit unit(factory, generator);
    unit.setupAudio();
    ASSERT_NE(factory.record.callback, nullptr);

    std::int16_t frames[8] = {};
    platform::AudioBuffer buffer{2, sizeof frames, frames};
    platform::AudioBufferList list{1, &buffer};
    EXPECT_EQ(factory.record.callback(factory.record.context, 4, list), 0);
    EXPECT_EQ(frames[6], 4558);
    EXPECT_EQ(frames[7], 4558);
}

TEST(ToneUnit, LaterSetupReusesTheUnitAndSilencesItOnlyWhenPlaying) {
    FakeOutputUnitFactory factory;
    ToneGenerator generator;
    ToneUnit unit(factory, generator);
    unit.setupAudio();
    unit.setupAudio();
    EXPECT_EQ(factory.record.unitsMade, 1);
    EXPECT_EQ(factory.record.calls, (Calls{"format", "callback", "initialize"}));

    unit.start();
    unit.start();
    unit.setupAudio();
    EXPECT_EQ(factory.record.unitsMade, 1);
    EXPECT_EQ(factory.record.calls,
              (Calls{"format", "callback", "initialize", "start", "start", "stop"}));
    EXPECT_FALSE(unit.isPlaying());
}

TEST(ToneUnit, WithoutAPlatformUnitStaysSilentAndTriesAgainLater) {
    FakeOutputUnitFactory factory;
    factory.hasUnit = false;
    ToneGenerator generator;
    ToneUnit unit(factory, generator);
    unit.setupAudio();
    unit.start();
    unit.stop();
    EXPECT_FALSE(unit.hasUnit());
    EXPECT_FALSE(unit.isPlaying());

    factory.hasUnit = true;
    unit.setupAudio();
    EXPECT_TRUE(unit.hasUnit());
    EXPECT_EQ(factory.record.calls, (Calls{"format", "callback", "initialize"}));
}

TEST(ToneUnit, DestroyingAPlayingUnitStopsItFirst) {
    FakeOutputUnitFactory factory;
    ToneGenerator generator;
    {
        ToneUnit unit(factory, generator);
        unit.setupAudio();
        unit.start();
    }
    EXPECT_EQ(factory.record.calls.back(), "stop");
}

}  // namespace
}  // namespace strumwise::tones
