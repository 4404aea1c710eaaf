#include "tones/tone_unit.h"

#include <gtest/gtest.h>

#include "tones/fakes.h"

namespace strumwise::tones {
namespace {

using Calls = std::vector<std::string>;

TEST(ToneUnit, SetsUpOneUnitOnceAndSilencesItOnLaterSetups) {
    testing::FakeOutputUnitFactory factory;
    ToneGenerator generator;
    generator.setCurTone(kWaveTriangle);
    ToneUnit unit(factory, generator);
    unit.setupAudio();
    EXPECT_EQ(factory.calls, (Calls{"format", "callback", "initialize"}));
    EXPECT_EQ(factory.format, (platform::StreamFormat{44100.0, 0x6C70636D, 12, 4, 1, 4, 2, 16, 0}));

    // The installed callback renders this generator.
    std::int16_t frames[8] = {};
    platform::AudioBuffer buffer{2, sizeof frames, frames};
    platform::AudioBufferList list{1, &buffer};
    EXPECT_EQ(factory.callback(factory.context, 4, list), 0);
    EXPECT_EQ(frames[7], 4558);

    unit.setupAudio();  // silent: nothing to do
    unit.start();
    unit.start();
    unit.setupAudio();  // playing: silenced, not replaced
    EXPECT_EQ(factory.unitsMade, 1);
    EXPECT_EQ(factory.calls, (Calls{"format", "callback", "initialize", "start", "start", "stop"}));
    EXPECT_FALSE(unit.isPlaying());
}

TEST(ToneUnit, WithoutAPlatformUnitStaysSilentAndTriesAgainLater) {
    testing::FakeOutputUnitFactory factory;
    factory.hasUnit = false;
    ToneGenerator generator;
    ToneUnit unit(factory, generator);
    unit.setupAudio();
    unit.start();
    unit.stop();
    EXPECT_FALSE(unit.hasUnit());

    factory.hasUnit = true;
    unit.setupAudio();
    unit.start();
    EXPECT_EQ(factory.calls, (Calls{"format", "callback", "initialize", "start"}));
}

}  // namespace
}  // namespace strumwise::tones
