#include "pitch/octave_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <initializer_list>
#include <numbers>
#include <utility>
#include <vector>

namespace strumwise::pitch {
namespace {

constexpr std::uint32_t kHalf = 16384;
constexpr double kBinHertz = 14039.0 / 32768.0;

// A spectrum of plain magnitudes, zero but for the given peaks, with harmonic sums of its own,
// zero but for the given bins.
using Bins = std::initializer_list<std::pair<std::uint32_t, double>>;
struct Spectrum {
    explicit Spectrum(Bins peaks = {}, Bins sumsAt = {}) {
        for (const auto& [bin, value] : peaks) {
            magnitudes[bin] = value;
        }
        for (const auto& [bin, value] : sumsAt) {
            sums[bin] = value;
        }
    }
    std::vector<kiss_fft_cpx> bins = std::vector<kiss_fft_cpx>(kHalf + 1, kiss_fft_cpx{0, 0});
    std::vector<double> magnitudes = std::vector<double>(kHalf, 0.0);
    std::vector<double> sums = std::vector<double>(kHalf, 0.0);
    HannSpectrum hann{bins.data(), magnitudes.data(), kHalf, 0};
    OctaveCheck check{hann, sums.data(), kHalf, kBinHertz};
};

TEST(OctaveCheck, ScoresRootsOfHarmonicPeaksWithinFortyCentsWeightedAndCutAtThreeKilohertz) {
    // Bin 2400 is 1028.2 Hz: its 2nd harmonic lies below 3 kHz, its 3rd above.
    Spectrum s({{2400, 16.0}, {4800, 9.0}, {7200, 100.0}});
    EXPECT_NEAR(s.check.score(2400 * kBinHertz), 4.0 + 0.84 * 3.0, 1e-9);
    // The 2nd harmonic's peak counts 35.7 cents away, but not 46.3.
    s.magnitudes[4800] = 0.0;
    s.magnitudes[4900] = 9.0;
    EXPECT_NEAR(s.check.score(2400 * kBinHertz), 6.52, 1e-9);
    s.magnitudes[4900] = 0.0;
    s.magnitudes[4930] = 9.0;
    EXPECT_NEAR(s.check.score(2400 * kBinHertz), 4.0, 1e-9);
}

TEST(OctaveCheck, MovesDownOnlyWhenTheLowerFundamentalScoresTenPercentMore) {
    // A partial of 100 at bin 1200 and a weak peak at its half: the half scores
    // sqrt(b) + 0.84 x 10 against 10, so it takes b above 6.76 to win.
    for (const auto& [half, expected] : {std::pair{6.25, 1200u}, std::pair{7.29, 598u}}) {
        // Where it moves, the strongest harmonic sum within two bins, the lowest on a tie.
        Spectrum s({{1200, 100.0}, {600, half}}, {{598, 5.0}, {601, 5.0}, {603, 9.0}});
        EXPECT_EQ(s.check.check(1200), expected) << half;
    }
    // A twelfth: the third scores 4 + 0.84^2 x 10 = 11.06 against 10, the half only 8.4.
    Spectrum twelfth({{1200, 100.0}, {400, 16.0}}, {{400, 1.0}});
    EXPECT_EQ(twelfth.check.check(1200), 400u);
    // Nothing below bin 10 is examined, however strong its case.
    Spectrum low({{9, 100.0}, {3, 100.0}}, {{3, 1.0}});
    EXPECT_EQ(low.check.check(9), 9u);
    EXPECT_EQ(low.check.check(0), 0u);
}

TEST(OctaveCheck, ResolvesAFourthPartialInTwoMovesAndStopsAtThree) {
    // Equal peaks at 300, 600, 1200 and 2400: from 2400 each halving explains more of them, and
    // the third move reaches 300, where the sub-octave (empty) no longer wins.
    Spectrum s({{300, 100.0}, {600, 100.0}, {1200, 100.0}, {2400, 100.0}},
               {{300, 1.0}, {600, 1.0}, {1200, 1.0}, {2400, 1.0}});
    EXPECT_EQ(s.check.check(2400), 300u);
    // A strong peak at 150 scores 37.3 against 300's 27.3, but it would take a fourth move.
    s.magnitudes[150] = 400.0;
    s.sums[150] = 1.0;
    EXPECT_EQ(s.check.check(2400), 300u);
    EXPECT_EQ(s.check.check(300), 150u);
}

TEST(OctaveCheck, MovesAFourthPartialStraightDownWhenItsHalfLeadsShortOfTheMargin) {
    // Partials 1..4 of bin 150 with magnitudes 1, 4, 100 and 100, the fourth chosen. Its half
    // scores 2 + 0.84 x 10 = 10.4 against 10, short of 11; its quarter 1 + 0.84 x 2 + 0.84^2 x
    // 10 + 0.84^3 x 10 = 15.66, and there it stays (its half would score only 9.16).
    const auto checked = [](double second) {
        Spectrum s({{150, 1.0}, {300, second}, {450, 100.0}, {600, 100.0}},
                   {{149, 1.0}, {150, 2.0}});
        return s.check.check(600);
    };
    EXPECT_EQ(checked(4.0), 150u);
    // With the second partial at 1 the half scores 9.4, below the fourth itself: no move,
    // however well the quarter explains the spectrum.
    EXPECT_EQ(checked(1.0), 600u);
}

TEST(HannSpectrum, EqualsTheTransformOfTheWindowedBlockEvenBelowTheShift) {
    // A 4096-sample tone zero-padded to 32768 points: bins k - 8 .. k + 8 of its transform,
    // worked out directly, give the Hann-windowed power of bin k.
    constexpr std::uint32_t kCount = 4096;
    std::vector<double> block(kCount);
    for (std::uint32_t n = 0; n < kCount; ++n) {
        block[n] = std::sin(2.0 * std::numbers::pi * 3.3 * kBinHertz * n / 14039.0) +
                   0.5 * std::cos(2.0 * std::numbers::pi * 0.017 * n);
    }
    const auto transform = [&](std::uint32_t k, bool windowed) {
        std::complex<double> sum = 0.0;
        for (std::uint32_t n = 0; n < kCount; ++n) {
            const double w =
                windowed ? 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * n / kCount) : 1.0;
            sum += block[n] * w * std::polar(1.0, -2.0 * std::numbers::pi * k * n / 32768.0);
        }
        return sum;
    };
    Spectrum s;
    for (std::uint32_t k = 0; k <= 20; ++k) {
        const auto x = transform(k, false);
        s.bins[k] = {static_cast<float>(x.real()), static_cast<float>(x.imag())};
    }
    const HannSpectrum hann(s.bins.data(), s.magnitudes.data(), kHalf, 8);
    for (const std::uint32_t k : {0u, 3u, 8u, 12u}) {
        const double expected = std::norm(transform(k, true));
        EXPECT_NEAR(hann.power(k), expected, 1e-4 * expected + 1e-3) << k;
    }
}

}  // namespace
}  // namespace strumwise::pitch
