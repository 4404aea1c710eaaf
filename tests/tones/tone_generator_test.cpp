#include "tones/tone_generator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace strumwise::tones {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Renders `frames` frames into one buffer and answers the left-channel samples, checking on the
// way that every frame carries the same sample in both halves.
std::vector<std::int16_t> renderFrames(ToneGenerator& generator, std::uint32_t frames) {
    std::vector<std::int16_t> interleaved(2 * static_cast<std::size_t>(frames));
    platform::AudioBuffer buffer{2, frames * 4, interleaved.data()};
    platform::AudioBufferList list{1, &buffer};
    EXPECT_EQ(generator.render(frames, list), 0);
    std::vector<std::int16_t> left;
    for (std::size_t i = 0; i < frames; ++i) {
        EXPECT_EQ(interleaved[2 * i], interleaved[2 * i + 1]) << "frame " << i;
        left.push_back(interleaved[2 * i]);
    }
    return left;
}

TEST(ToneGenerator, StartsAtTheWorkedExampleSamplesOfA440) {
    ToneGenerator generator;
    generator.setCurTone(kWaveTriangle);
    EXPECT_EQ(generator.toneFrequency(), 440.0f);
    EXPECT_EQ(renderFrames(generator, 4), (std::vector<std::int16_t>{0, 1524, 3044, 4558}));
    EXPECT_DOUBLE_EQ(generator.oscillator().state().phaseStep, 0.009977323934435844);
}

TEST(ToneGenerator, PureSineForAnySelectorButTheThreeWaves) {
    for (const std::uint64_t selector : {kWaveSine, std::uint64_t{4}, std::uint64_t{99}}) {
        ToneGenerator generator;
        generator.setCurTone(selector);
        const auto samples = renderFrames(generator, 64);
        const double step = static_cast<double>(440.0f / 44100.0f) * kTwoPi;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const auto expected = static_cast<std::int16_t>(
                std::sin(static_cast<double>(i) * step) / kTwoPi * 32767.0 * 6.0 * 0.95);
            // The phase is accumulated frame by frame, so allow one unit of rounding.
            EXPECT_NEAR(samples[i], expected, 1) << "selector " << selector << " frame " << i;
        }
    }
}

TEST(ToneGenerator, NeverExceedsTheCeilingForAnyWaveOrForkFrequency) {
    for (const std::uint64_t wave : {kWaveSine, kWaveTriangle, kWaveSawtooth, kWaveSquare}) {
        for (const float hz : {130.8f, 146.8f, 196.0f, 246.9f, 293.6f, 329.6f, 392.0f, 440.0f}) {
            ToneGenerator generator;
            generator.setCurTone(wave);
            generator.setToneFrequency(hz);
            int peak = 0;
            for (const std::int16_t s : renderFrames(generator, 44100)) {
                peak = std::max(peak, std::abs(static_cast<int>(s)));
            }
            EXPECT_LE(peak, kToneCeiling) << "wave " << wave << " at " << hz;
            // A tone that came out nearly silent would pass the ceiling check too.
            EXPECT_GT(peak, 20000) << "wave " << wave << " at " << hz;
        }
    }
}

TEST(ToneGenerator, ContinuesOneWaveformAcrossCallsAndBuffers) {
    ToneGenerator whole;
    whole.setCurTone(kWaveTriangle);
    const auto expected = renderFrames(whole, 300);

    // The same 300 frames as a call of 100, then one call with two buffers of 100 each.
    ToneGenerator pieces;
    pieces.setCurTone(kWaveTriangle);
    auto samples = renderFrames(pieces, 100);
    std::vector<std::int16_t> first(200), second(200);
    platform::AudioBuffer buffers[2] = {{2, 400, first.data()}, {2, 400, second.data()}};
    platform::AudioBufferList list{2, buffers};
    pieces.render(100, list);
    for (const auto* half : {&first, &second}) {
        for (std::size_t i = 0; i < 100; ++i) {
            samples.push_back((*half)[2 * i]);
        }
    }
    EXPECT_EQ(samples, expected);
}

TEST(ToneGenerator, FrequencyChangeIsPhaseContinuous) {
    ToneGenerator generator;
    generator.setCurTone(kWaveTriangle);
    // 25 frames puts the sine near its crest, where a restarted phase would drop to zero.
    auto samples = renderFrames(generator, 25);
    const double phaseBefore = generator.oscillator().state().tonePhase;
    generator.setToneFrequency(392.0f);
    const auto after = renderFrames(generator, 25);
    samples.insert(samples.end(), after.begin(), after.end());

    EXPECT_GT(samples[25], 20000);
    // A frame moves the sine by at most 2*pi*step and the triangle by 4*step, each half weighted.
    for (std::size_t i = 1; i < samples.size(); ++i) {
        EXPECT_LE(std::abs(samples[i] - samples[i - 1]), 1600) << "frame " << i;
    }
    const double step392 = static_cast<double>(392.0f / 44100.0f);
    EXPECT_NEAR(generator.oscillator().state().tonePhase, phaseBefore + 25 * step392 * kTwoPi,
                1e-9);
}

TEST(ToneGenerator, EmptyRequestsWriteNothingAndKeepTheState) {
    ToneGenerator generator;
    std::vector<std::uint8_t> memory(64, 0xAB);
    platform::AudioBuffer buffer{2, 64, memory.data()};
    platform::AudioBufferList list{1, &buffer};
    EXPECT_EQ(generator.render(0, list), 0);
    EXPECT_EQ(memory, std::vector<std::uint8_t>(64, 0xAB));

    platform::AudioBufferList none{0, nullptr};
    EXPECT_EQ(generator.render(512, none), 0);

    platform::AudioBuffer missing{2, 64, nullptr};
    platform::AudioBufferList missingData{1, &missing};
    EXPECT_EQ(generator.render(16, missingData), 0);

    generator.setCurTone(kWaveTriangle);
    EXPECT_EQ(renderFrames(generator, 4), (std::vector<std::int16_t>{0, 1524, 3044, 4558}));
}

TEST(ToneGenerator, NeverWritesPastTheEndOfAShortBuffer) {
    ToneGenerator generator;
    std::vector<std::uint8_t> memory(64, 0xAB);
    // Room for 10 frames (40 bytes) but asked for 16.
    platform::AudioBuffer buffer{2, 40, memory.data()};
    platform::AudioBufferList list{1, &buffer};
    EXPECT_EQ(generator.render(16, list), 0);
    EXPECT_EQ(std::vector<std::uint8_t>(memory.begin() + 40, memory.end()),
              std::vector<std::uint8_t>(24, 0xAB));
}

TEST(ToneGenerator, ObserverHearsEveryFrequencyStoreUntilRemoved) {
    ToneGenerator generator;
    std::vector<float> heard;
    generator.setFrequencyObserver([&](float hz) { heard.push_back(hz); });
    generator.setToneFrequency(130.8f);
    generator.setToneFrequency(130.8f);
    renderFrames(generator, 128);
    generator.setFrequencyObserver({});
    generator.setToneFrequency(440.0f);
    EXPECT_EQ(heard, (std::vector<float>{130.8f, 130.8f}));
    EXPECT_EQ(generator.toneFrequency(), 440.0f);
}

TEST(ToneGenerator, SharedGeneratorIsOneObject) {
    EXPECT_EQ(&ToneGenerator::shared(), &ToneGenerator::shared());
}

}  // namespace
}  // namespace strumwise::tones
