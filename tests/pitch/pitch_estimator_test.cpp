#include "pitch/pitch_estimator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "pitch/test_signals.h"

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
    EXPECT_EQ(estimate(testing::tone(293.0), 1), 0.0f);
    ASSERT_GT(estimate(testing::tone(binFrequency(685))), 0.0f);
    // A shorter block must not see the tail of the previous one.
    EXPECT_EQ(estimate(silence, 4096), 0.0f);
    EXPECT_TRUE(std::all_of(estimator->freq_db(), estimator->freq_db() + kBins,
                            [](double v) { return v == 0.0; }));
}

TEST_F(PitchEstimatorTest, TonesWithSecondAndThirdHarmonicsAreReadAtTheirFundamentalBin) {
    // Banjo notes from C3 to A4, each on the bin nearest to it; amplitude 3 leaves harmonic
    // magnitudes below 1.0, so that only the fundamental's own peak counts.
    for (const std::uint32_t bin : {305u, 343u, 457u, 576u, 685u, 768u, 915u, 1027u}) {
        for (const double amplitude : {8000.0, 3.0}) {
            EXPECT_EQ(estimate(testing::tone(binFrequency(bin), amplitude)),
                      estimator->binToHz(bin))
                << "bin " << bin << ", amplitude " << amplitude;
        }
    }
}

TEST_F(PitchEstimatorTest, PluckedStringsAreReadWithinAQuarterSemitone) {
    for (const std::uint32_t period : {107u, 71u, 47u, 35u}) {
        const double expected = testing::kCaptureRate / (period - 0.5);
        const double read = estimate(testing::pluckedString(period));
        // 25 cents is about 1.5 %; a subharmonic or an octave is 33 % or more off.
        EXPECT_NEAR(read / expected, 1.0, 0.015) << "period " << period << " read " << read;
    }
}

}  // namespace
}  // namespace strumwise::pitch
