#include "tones/tone_generator.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "tones/fakes.h"
#include "tones/tone_unit.h"

namespace strumwise::tones {
namespace {

using Samples = std::vector<std::int16_t>;

// Renders `frames` frames in one call and answers the left channel.
Samples render(ToneGenerator& generator, std::uint32_t frames) {
    return testing::leftChannel<std::int16_t>(testing::renderStereo(generator, frames));
}

// Frames of the oscillator, each chosen so that one rule of the waveform decides it.
TEST(Oscillator, PinnedFramesOfEachWave) {
    struct Frame {
        std::uint64_t wave;
        float hertz;
        int index;
        std::int16_t sample;
    };
    const Frame frames[] = {
        // The first frames of A4 blended with a triangle, and of the pure sine that any other
        // selector gives.
        {kWaveTriangle, 440.0f, 1, 1524},
        {kWaveTriangle, 440.0f, 3, 4558},
        {kWaveSine, 440.0f, 3, 5557},
        {99, 440.0f, 3, 5557},
        // The phase step is divided in single precision; in double precision the last frame of a
        // second of A4 reads -1524.
        {kWaveTriangle, 440.0f, 44099, -1526},
        // The sawtooth wraps from above 1 by 2; wrapping by 1 leaves it at 14316 here.
        {kWaveSawtooth, 196.0f, 44099, -546},
        // Steps of 0.34 take the triangle to 1.02, which turns back to 0.98 and then falls.
        {kWaveTriangle, 3748.5f, 3, 29421},
        {kWaveTriangle, 3748.5f, 4, 22061},
        // The square wave is 0 before the first frame, so the first frame is the sine alone.
        {kWaveSquare, 440.0f, 0, 0},
        {kWaveSquare, 440.0f, 1, 15793},
        // Half a cycle a frame: the phase reaches exactly 2 pi, which is kept rather than wrapped
        // to 0, so the square wave reads -1 there.
        {kWaveSquare, 22050.0f, 2, -14862},
        {kWaveSquare, 22050.0f, 3, 14862},
    };
    for (const Frame& f : frames) {
        Oscillator oscillator;
        std::int16_t sample = 0;
        for (int i = 0; i <= f.index; ++i) {
            sample = oscillator.nextSample(f.hertz, f.wave);
        }
        EXPECT_EQ(sample, f.sample)
            << "wave " << f.wave << " at " << f.hertz << ", frame " << f.index;
    }
}

// Renders that must neither write nor advance: no frames, no buffers, then more frames than a
// buffer holds, which must not be overrun.
TEST(ToneGenerator, EmptyOrShortBuffersNeitherAdvanceNorOverrun) {
    ToneGenerator generator;
    generator.setCurTone(kWaveTriangle);
    std::vector<std::uint8_t> memory(64, 0xAB);
    platform::AudioBuffer buffer{2, 40, memory.data()};  // room for 10 frames
    platform::AudioBufferList list{1, &buffer}, none{0, nullptr};
    EXPECT_EQ(generator.render(0, list), 0);
    EXPECT_EQ(memory, std::vector<std::uint8_t>(64, 0xAB));
    EXPECT_EQ(generator.render(512, none), 0);
    EXPECT_EQ(render(generator, 4), (Samples{0, 1524, 3044, 4558}));
    EXPECT_EQ(generator.render(16, list), 0);
    EXPECT_EQ(std::vector<std::uint8_t>(memory.begin() + 40, memory.end()),
              std::vector<std::uint8_t>(24, 0xAB));
}

TEST(ToneGenerator, OneWaveformAcrossCallsBuffersAndFrequencyChanges) {
    ToneGenerator whole, pieces;
    whole.setCurTone(kWaveTriangle);
    pieces.setCurTone(kWaveTriangle);
    // The same frames as a call of 100, then one call with two buffers of 50.
    Samples samples = render(pieces, 100), first(100), second(100);
    platform::AudioBuffer buffers[2] = {{2, 200, first.data()}, {2, 200, second.data()}};
    platform::AudioBufferList list{2, buffers};
    pieces.render(50, list);
    for (const auto* half : {&first, &second}) {
        for (std::size_t i = 0; i < 50; ++i) {
            samples.push_back((*half)[2 * i]);
        }
    }
    EXPECT_EQ(samples, render(whole, 200));

    // A new frequency near the crest: a restarted phase would drop to zero at once, while a
    // frame of the blend moves by at most about 1525 at 440 Hz.
    Samples run = render(whole, 25);
    whole.setToneFrequency(392.0f);
    const Samples after = render(whole, 25);
    run.insert(run.end(), after.begin(), after.end());
    EXPECT_GT(run[25], 20000);
    for (std::size_t i = 1; i < run.size(); ++i) {
        EXPECT_LE(std::abs(run[i] - run[i - 1]), 1600) << "frame " << i;
    }
}

TEST(ToneUnit, SetsUpOneUnitOnceSilencesItOnLaterSetupsAndRetriesWhenNoneWasMade) {
    using Calls = std::vector<std::string>;
    testing::FakeFactory factory;
    factory.hasUnit = false;
    ToneGenerator generator;
    generator.setCurTone(kWaveTriangle);
    ToneUnit unit(factory, generator);
    unit.setupAudio();
    unit.start();
    unit.stop();
    EXPECT_FALSE(unit.hasUnit());

    factory.hasUnit = true;
    unit.setupAudio();
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

}  // namespace
}  // namespace strumwise::tones
