#include "pitch/pitch_estimator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "pitch/test_signals.h"

namespace strumwise::pitch {
namespace {

using testing::binFrequency;
using testing::byteLength;
using testing::kCaptureRate;

constexpr std::uint32_t kBins = PitchEstimator::kSpectrumBins;

class PitchEstimatorTest : public ::testing::Test {
  protected:
    // About 512 KB of spectra: on the heap, like the listener's.
    std::unique_ptr<PitchEstimator> estimator = std::make_unique<PitchEstimator>(kCaptureRate);

    // Sets freq_db to zero except the given bins, then runs the harmonic sum.
    void sumHarmonicsOf(std::initializer_list<std::pair<std::uint32_t, double>> bins) {
        std::fill_n(estimator->freq_db(), kBins, 0.0);
        for (const auto& [bin, value] : bins) {
            estimator->freq_db()[bin] = value;
        }
        estimator->addHarmonics();
    }

    // The bins of freq_db_harmonic that are not zero, with their values.
    std::vector<std::pair<std::uint32_t, double>> nonZeroSums() const {
        std::vector<std::pair<std::uint32_t, double>> result;
        for (std::uint32_t k = 0; k < kBins; ++k) {
            if (estimator->freq_db_harmonic()[k] != 0.0) {
                result.emplace_back(k, estimator->freq_db_harmonic()[k]);
            }
        }
        return result;
    }
};

using Sums = std::vector<std::pair<std::uint32_t, double>>;

TEST_F(PitchEstimatorTest, BinsConvertToHzAtSinglePrecision) {
    EXPECT_EQ(estimator->binToHz(685), 293.4788513f);
    EXPECT_EQ(estimator->binToHz(1027), 440.0040588f);
    EXPECT_EQ(estimator->binToHz(457), 195.7953796f);
    EXPECT_EQ(estimator->binToHz(0), 0.0f);
}

TEST_F(PitchEstimatorTest, HarmonicSumAddsWholeNumberPartsAtHalfAndThirdBins) {
    sumHarmonicsOf({{2000, 10.5}});
    // 2000 is in the group {1999, 2000} of bin 1000 and {2000, 2001, 2002} of bin 667.
    EXPECT_EQ(nonZeroSums(), (Sums{{667, 10.0}, {1000, 10.0}, {2000, 10.5}}));
    EXPECT_EQ(estimator->findTopSpike(), 2000u);
}

TEST_F(PitchEstimatorTest, HarmonicsBelowOneAddNothingAndTiesGoToTheLowestBin) {
    std::fill_n(estimator->freq_db(), kBins, 0.9);
    estimator->addHarmonics();
    EXPECT_TRUE(std::equal(estimator->freq_db(), estimator->freq_db() + kBins,
                           estimator->freq_db_harmonic()));
    EXPECT_EQ(estimator->findTopSpike(), 0u);
}

TEST_F(PitchEstimatorTest, FundamentalWithItsHarmonicsBeatsAStrongerSecondHarmonic) {
    sumHarmonicsOf({{500, 3.0}, {1000, 4.0}, {1500, 2.0}});
    EXPECT_EQ(estimator->freq_db_harmonic()[500], 9.0);
    EXPECT_EQ(estimator->freq_db_harmonic()[1000], 4.0);
    EXPECT_EQ(estimator->freq_db_harmonic()[333], 4.0);
    EXPECT_EQ(estimator->findTopSpike(), 500u);
}

TEST_F(PitchEstimatorTest, LastGroupOfEachPassIsNotAdded) {
    sumHarmonicsOf({{16383, 100.0}});
    EXPECT_EQ(nonZeroSums(), (Sums{{16383, 100.0}}));
    EXPECT_EQ(estimator->findTopSpike(), 16383u);
}

TEST_F(PitchEstimatorTest, GroupEdgesFollowRoundingHalvesAwayFromZero) {
    // Bin 1 takes {1, 2} for the divisor 2 and {2, 3, 4} for 3; bin 0 takes {0} and {0, 1}.
    sumHarmonicsOf({{1, 5.0}, {4, 7.0}});
    EXPECT_EQ(nonZeroSums(), (Sums{{0, 5.0}, {1, 17.0}, {2, 7.0}, {4, 7.0}}));
}

TEST_F(PitchEstimatorTest, SilenceAndTooShortBlocksGiveZeroHz) {
    const std::vector<std::int16_t> zeros(4096, 0);
    EXPECT_EQ(estimator->getFreqFromBuffer(zeros.data(), 8192), 0.0f);
    const std::vector<std::int16_t> loud = testing::harmonicTone(293.0);
    EXPECT_EQ(estimator->getFreqFromBuffer(loud.data(), 1), 0.0f);  // half a sample
    EXPECT_EQ(estimator->getFreqFromBuffer(loud.data(), 0), 0.0f);
}

TEST_F(PitchEstimatorTest, EachEstimateStartsFromClearedSpectra) {
    const std::vector<std::int16_t> loud = testing::harmonicTone(binFrequency(685));
    const std::vector<std::int16_t> zeros(4096, 0);
    const double* spectrum = estimator->freq_db();
    ASSERT_GT(estimator->getFreqFromBuffer(loud.data(), byteLength(loud)), 0.0f);
    ASSERT_GT(spectrum[685], 1.0);
    // A shorter block must not see the tail of the previous one.
    EXPECT_EQ(estimator->getFreqFromBuffer(zeros.data(), 2048), 0.0f);
    EXPECT_EQ(estimator->freq_db(), spectrum);
    EXPECT_TRUE(std::all_of(spectrum, spectrum + kBins, [](double v) { return v == 0.0; }));
}

TEST_F(PitchEstimatorTest, MagnitudesAreScaledByOneOver16384) {
    // A constant block of 4096 samples of 1000 sums to 4096000 at bin 0: 250 after scaling.
    const std::vector<std::int16_t> constant(4096, 1000);
    estimator->performFFT(constant.data(), 4096);
    EXPECT_DOUBLE_EQ(estimator->freq_db()[0], 250.0);
}

TEST_F(PitchEstimatorTest, BlocksLongerThanTheTransformAreCut) {
    const std::vector<std::int16_t> tone = testing::harmonicTone(binFrequency(685), 40000);
    EXPECT_EQ(estimator->getFreqFromBuffer(tone.data(), byteLength(tone)), estimator->binToHz(685));
}

// Banjo notes from the low C of the C tunings to the high A, each placed on the bin nearest to it.
class HarmonicToneTest : public PitchEstimatorTest,
                         public ::testing::WithParamInterface<std::uint32_t> {};

TEST_P(HarmonicToneTest, ToneWithSecondAndThirdHarmonicsIsReadAtItsFundamentalBin) {
    const std::uint32_t bin = GetParam();
    const std::vector<std::int16_t> tone = testing::harmonicTone(binFrequency(bin));
    EXPECT_EQ(estimator->getFreqFromBuffer(tone.data(), byteLength(tone)), estimator->binToHz(bin));
}

TEST_P(HarmonicToneTest, QuietToneWhoseHarmonicsAddNothingIsStillFound) {
    // Amplitude 3 gives harmonic magnitudes below 1.0: only the fundamental's own peak counts.
    const std::uint32_t bin = GetParam();
    const std::vector<std::int16_t> tone = testing::harmonicTone(binFrequency(bin), 4096, 3.0);
    EXPECT_EQ(estimator->getFreqFromBuffer(tone.data(), byteLength(tone)), estimator->binToHz(bin));
}

INSTANTIATE_TEST_SUITE_P(BanjoRange, HarmonicToneTest,
                         ::testing::Values(305u /* C3 */, 343u /* D3 */, 457u /* G3 */,
                                           576u /* B3 */, 685u /* D4 */, 768u /* E4 */,
                                           915u /* G4 */, 1027u /* A4 */));

TEST_F(PitchEstimatorTest, PluckedStringsAreReadWithinAQuarterSemitone) {
    for (const std::uint32_t period : {107u, 71u, 47u, 35u}) {
        const std::vector<std::int16_t> pluck = testing::pluckedString(period);
        const double expected = kCaptureRate / (period - 0.5);
        const double estimate = estimator->getFreqFromBuffer(pluck.data(), byteLength(pluck));
        // 25 cents is about 1.5 %; a subharmonic or octave error is 50 % or 100 % off.
        EXPECT_NEAR(estimate / expected, 1.0, 0.015)
            << "period " << period << " read " << estimate << " Hz";
    }
}

TEST_F(PitchEstimatorTest, LonePureSineIsReadAtASubharmonic) {
    // The harmonic sum adds the sine's whole peak to a subharmonic bin's own leakage, so a
    // lone sine reads at half or a third of its frequency. Real strings carry harmonics.
    const std::vector<std::int16_t> sine = testing::pureSine(binFrequency(1200));
    const float estimate = estimator->getFreqFromBuffer(sine.data(), byteLength(sine));
    EXPECT_TRUE(estimate == estimator->binToHz(600) || estimate == estimator->binToHz(400))
        << estimate;
}

}  // namespace
}  // namespace strumwise::pitch
