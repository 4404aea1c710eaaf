#include "tones/tone_fade.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "adapters/headless/memory_user_defaults.h"
#include "tones/fakes.h"
#include "tones/oscillator.h"
#include "tones/tone_volume.h"

namespace strumwise::tones {
namespace {

constexpr std::int16_t kLevel = 20000;
// 5 ms at 44100 Hz. A ramp much shorter clicks: at 0.5 ms a tone starts and stops with an edge
// the ear hears as a tick.
constexpr std::uint32_t kRamp = 220;

// `frames` stereo frames of a steady level through the stage, in buffers of `buffer` frames;
// answers the left channel.
std::vector<int> shape(ToneFade& fade, std::uint32_t frames, std::uint32_t buffer) {
    std::vector<int> left;
    for (std::uint32_t done = 0; done < frames; done += buffer) {
        std::vector<std::int16_t> samples(2 * buffer, kLevel);
        fade.apply(samples.data(), buffer, 2);
        const std::vector<int> piece = testing::leftChannel<int>(samples);
        left.insert(left.end(), piece.begin(), piece.end());
    }
    return left;
}

// The largest step between neighbouring samples, and from silence to the first.
int largestStep(const std::vector<int>& samples) {
    int largest = std::abs(samples[0]);
    for (std::size_t i = 1; i < samples.size(); ++i) {
        largest = std::max(largest, std::abs(samples[i] - samples[i - 1]));
    }
    return largest;
}

// A start ramps in over 5 ms to the gain, which holds; a stop ramps out in as long, by steps no
// larger than the ramp's own, and then the oscillator may rest; a gain changed while the tone
// sounds glides.
TEST(ToneFade, RampsInHoldsTheGainAndRampsOutWithoutAStep) {
    struct Case {
        float gain;
        float laterGain;  // set while the tone holds
        std::uint32_t buffer;
    };
    for (const Case c :
         {Case{1.0f, 1.0f, 64}, Case{toneGainForVolume(-12.0), 0.8f, 441}, Case{0.05f, 0.05f, 1}}) {
        SCOPED_TRACE(c.gain);
        ToneFade fade;
        fade.setGain(c.gain);
        EXPECT_TRUE(fade.faded());
        EXPECT_FALSE(fade.wantsFrames());
        fade.setSounding(true);
        const int steady = static_cast<int>(std::lround(kLevel * c.gain));
        const int rampStep = static_cast<int>(std::ceil(kLevel * 1.0f / kRamp)) + 1;
        std::vector<int> in = shape(fade, 4 * 441, c.buffer);
        EXPECT_LT(in[kRamp / 2], steady);
        EXPECT_EQ(in[kRamp - 1], steady);
        EXPECT_EQ(in.back(), steady);

        fade.setGain(c.laterGain);
        std::vector<int> glide = shape(fade, 2 * 441, c.buffer);
        EXPECT_EQ(glide.back(), std::lround(kLevel * c.laterGain));

        fade.setSounding(false);
        EXPECT_FALSE(fade.faded()) << "still ramping out";
        EXPECT_TRUE(fade.wantsFrames());
        std::vector<int> out = shape(fade, 2 * 441, c.buffer);
        EXPECT_GT(out[0], 0);
        EXPECT_EQ(out[kRamp - 1], 0);
        EXPECT_EQ(out.back(), 0);
        std::vector<int> all = in;
        all.insert(all.end(), glide.begin(), glide.end());
        all.insert(all.end(), out.begin(), out.end());
        EXPECT_LE(largestStep(all), rampStep);
        EXPECT_TRUE(fade.faded());
        EXPECT_FALSE(fade.wantsFrames());
    }
}

// The default volume puts the tone's peaks at -12 dBFS; the stored volume is kept in range and
// an absent one reads as the default.
TEST(ToneVolume, DefaultPeakAndStoredRange) {
    const double peak = kToneCeiling * toneGainForVolume(kDefaultToneVolumeDb);
    EXPECT_NEAR(20.0 * std::log10(peak / 32767.0), -12.0, 0.01);
    EXPECT_FLOAT_EQ(toneGainForVolume(0.0), toneGainForVolume(kMaxToneVolumeDb));
    platform::headless::MemoryUserDefaults defaults;
    EXPECT_EQ(storedToneVolume(defaults), kDefaultToneVolumeDb);
    for (const auto& [stored, read] : {std::pair{-20.0, -20.0}, {-100.0, kMinToneVolumeDb}}) {
        storeToneVolume(defaults, stored);
        EXPECT_EQ(storedToneVolume(defaults), read);
    }
}

}  // namespace
}  // namespace strumwise::tones
