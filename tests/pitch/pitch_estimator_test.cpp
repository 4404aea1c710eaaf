#include "pitch/pitch_estimator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "support/test_signals.h"

namespace strumwise::pitch {
namespace {

using testing::binFrequency;
using Bins = std::vector<std::pair<std::uint32_t, double>>;
constexpr std::uint32_t kBins = PitchEstimator::kSpectrumBins;

class PitchEstimatorTest : public ::testing::Test {
  protected:
    // About 512 KB of spectra: on the heap, like the listener's.
    std::unique_ptr<PitchEstimator> estimator =
        std::make_unique<PitchEstimator>(testing::kCaptureRate);

    // Runs the harmonic sum over a spectrum that is zero except at `bins`; answers the bins of
    // the sum that are not zero.
    Bins sumHarmonicsOf(const Bins& bins) {
        std::fill_n(estimator->freq_db(), kBins, 0.0);
        for (const auto& [bin, value] : bins) {
            estimator->freq_db()[bin] = value;
        }
        estimator->addHarmonics();
        Bins sums;
        for (std::uint32_t k = 0; k < kBins; ++k) {
            if (estimator->freq_db_harmonic()[k] != 0.0) {
                sums.emplace_back(k, estimator->freq_db_harmonic()[k]);
            }
        }
        return sums;
    }
    float estimate(const std::vector<std::int16_t>& samples, std::uint32_t bytes = 8192) {
        return estimator->getFreqFromBuffer(samples.data(), bytes);
    }
};

TEST_F(PitchEstimatorTest, HarmonicSumAddsWholeNumberPartsOfTheStrongestBinNearTwiceAndThrice) {
    // 2000 is in the group {1999, 2000} of bin 1000 and {2000, 2001, 2002} of bin 667.
    EXPECT_EQ(sumHarmonicsOf({{2000, 10.5}}), (Bins{{667, 10.0}, {1000, 10.0}, {2000, 10.5}}));
    EXPECT_EQ(estimator->findTopSpike(), 2000u);

    // A fundamental weaker than its octave still wins with its 2nd and 3rd harmonics.
    EXPECT_EQ(
        sumHarmonicsOf({{500, 3.0}, {1000, 4.0}, {1500, 2.0}}),
        (Bins{
            {167, 3.0}, {250, 3.0}, {333, 4.0}, {500, 9.0}, {750, 2.0}, {1000, 4.0}, {1500, 2.0}}));
    EXPECT_EQ(estimator->findTopSpike(), 500u);

    // The last group of each pass is never added.
    EXPECT_EQ(sumHarmonicsOf({{16383, 100.0}}), (Bins{{16383, 100.0}}));

    // Harmonics below 1.0 add nothing, and ties go to the lowest bin.
    std::fill_n(estimator->freq_db(), kBins, 0.9);
    estimator->addHarmonics();
    EXPECT_TRUE(std::equal(estimator->freq_db(), estimator->freq_db() + kBins,
                           estimator->freq_db_harmonic()));
    EXPECT_EQ(estimator->findTopSpike(), 0u);
}

TEST_F(PitchEstimatorTest, SilenceBlocksShorterThanASampleAndStaleSpectraReadZeroHz) {
    const std::vector<std::int16_t> silence(4096, 0);
    EXPECT_EQ(estimate(silence), 0.0f);
    EXPECT_EQ(estimator->refinedFrequency(), 0.0);
    EXPECT_EQ(estimate(testing::tone(293.0), 1), 0.0f);
    ASSERT_GT(estimate(testing::tone(binFrequency(685))), 0.0f);
    // A shorter block must not see the tail of the previous one.
    EXPECT_EQ(estimate(silence, 4096), 0.0f);
    EXPECT_TRUE(std::all_of(estimator->freq_db(), estimator->freq_db() + kBins,
                            [](double v) { return v == 0.0; }));
}

// Each reading is pinned as bin * 14039 / 32768 Hz, worked out by hand: the estimate is the bin
// of the strongest harmonic sum, so a fault in the scale, the sum or the bin width moves it.
TEST_F(PitchEstimatorTest, TonesAndPluckedStringsAreReadAtPinnedBins) {
    // Banjo notes from C3 to A4; amplitude 3 leaves harmonic magnitudes below 1.0, so that only
    // the fundamental's own peak counts.
    const std::pair<std::uint32_t, float> notes[] = {
        {305, 130.6731f}, {343, 146.9536f}, {457, 195.7954f}, {576, 246.7793f},
        {685, 293.4789f}, {768, 329.0391f}, {915, 392.0192f}, {1027, 440.0041f}};
    for (const auto& [bin, hertz] : notes) {
        for (const double amplitude : {8000.0, 3.0}) {
            EXPECT_NEAR(estimate(testing::tone(binFrequency(bin), amplitude)), hertz, 1e-3)
                << "bin " << bin << ", amplitude " << amplitude;
        }
    }
    // A plucked string's harmonics decay and its fundamental falls between bins, so the reading
    // depends on the magnitude scale and the whole-number cut-off of the harmonic sum: with half
    // the scale, D4 ringing 0.58 s after the pluck reads one bin higher, at 293.9073 Hz.
    const std::pair<double, float> strings[] = {{146.83, 146.9536f},
                                                {196.0, 196.2238f},
                                                {246.94, 246.7793f},
                                                {293.66, 293.4789f},
                                                {392.0, 392.0192f}};
    for (const auto& [played, hertz] : strings) {
        const auto pluck = testing::pluckedString(played, 1.0, 0.25);
        for (const std::size_t start : {0u, 8192u}) {
            EXPECT_NEAR(estimator->getFreqFromBuffer(pluck.data() + start, 8192), hertz, 1e-3)
                << played << " Hz from sample " << start;
        }
    }
}

// Notes of the four tunings detuned as a player finds them, steady and plucked: between bins 3 to
// 6 cents wide, the bin alone is up to 3 cents off. The refinement must land on the detuning,
// worked out here from equal temperament, within a twentieth of a cent.
TEST_F(PitchEstimatorTest, RefinementReadsTonesBetweenBinsToATwentiethOfACent) {
    const std::pair<int, double> notes[] = {{48, -20.0}, {50, 7.0}, {55, 20.0}, {57, -3.0},
                                            {59, -7.0},  {62, 3.0}, {64, 13.0}, {67, -11.0},
                                            {69, 0.0},   {60, 45.0}};
    for (const auto& [midi, detune] : notes) {
        const double equalTempered = 440.0 * std::pow(2.0, (midi - 69) / 12.0);
        const double hertz = equalTempered * std::pow(2.0, detune / 1200.0);
        const auto steady = testing::tone(hertz);
        const auto pluck = testing::pluckedString(hertz, 1.0, 0.25);
        for (const auto* samples : {steady.data(), pluck.data(), pluck.data() + 8192}) {
            estimator->getFreqFromBuffer(samples, 8192);
            EXPECT_NEAR(1200.0 * std::log2(estimator->refinedFrequency() / equalTempered), detune,
                        0.05)
                << midi << " " << detune;
        }
    }
}

// A fundamental far weaker than its partials, as a banjo's often is: the harmonic sum reads the
// octave (bin 700) or the twelfth (bin 1050), the checked estimate the fundamental's bin 350, and
// refinement then follows the checked bin. Tones whose fundamental is right stay where they are.
TEST_F(PitchEstimatorTest, OctaveCheckMovesAWeakFundamentalsPartialDownAndLeavesTheRestAlone) {
    const struct {
        std::vector<double> weights;
        std::uint32_t estimated;
    } tones[] = {
        {{0.05, 1.0, 0.8, 1.0, 0.6, 0.8}, 700},
        {{0.2, 0.2, 1.0, 0.2, 0.2, 1.0}, 1050},
    };
    for (const auto& t : tones) {
        const auto samples = testing::tone(binFrequency(350), 4000.0, t.weights);
        EXPECT_EQ(estimate(samples), estimator->binToHz(t.estimated));
        EXPECT_EQ(estimator->estimatedBin(), t.estimated);
        EXPECT_EQ(estimator->checkOctave(), estimator->binToHz(350));
        EXPECT_EQ(estimator->checkOctave(), estimator->binToHz(350));  // asking again
        EXPECT_EQ(estimator->estimatedBin(), t.estimated);
        EXPECT_NEAR(estimator->refinedFrequency(), binFrequency(350), 0.01);
        // A new estimate starts from its own bin, unchecked.
        EXPECT_EQ(estimate(samples), estimator->binToHz(t.estimated));
        EXPECT_NEAR(estimator->refinedFrequency(), binFrequency(t.estimated), 0.05);
    }
    for (const double hertz : {130.81, 196.0, 293.66, 440.0}) {
        for (const auto& samples :
             {testing::tone(hertz), testing::pluckedString(hertz, 1.0, 0.25)}) {
            const float estimated = estimate(samples);
            EXPECT_EQ(estimator->checkOctave(), estimated) << hertz;
        }
    }
    EXPECT_EQ(estimate(std::vector<std::int16_t>(4096, 0)), 0.0f);
    EXPECT_EQ(estimator->checkOctave(), 0.0f);
}

}  // namespace
}  // namespace strumwise::pitch
