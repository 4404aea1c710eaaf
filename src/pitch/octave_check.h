#pragma once

#include <cstdint>

#include "pitch/hann_spectrum.h"

namespace strumwise::pitch {

// The harmonic sum finds the fundamental where its overtones sit above it, but where the
// fundamental itself is weak (a banjo's often is) its peak lands on the second or third partial
// and the tuner names a string an octave or a twelfth away. This check moves the chosen bin down
// only when the spectrum says a lower fundamental explains it clearly better: a candidate f is
// scored by the square roots of its first eight harmonics' peaks below 3 kHz, each weighted
// 0.84 times the one before, and F / 2 or F / 3 must score more than 10 % above F. The root and
// the margin keep it from breaking notes whose fundamental was right in noise. Where F / 2 leads
// F by less than the margin, F / 4 may still move the estimate if it clears the margin itself:
// the harmonic sum lands on the fourth partial of a bright attack, whose half leaves out the
// odd partials between.
class OctaveCheck {
  public:
    static constexpr int kMaxMoves = 3;              // x4 -> x2 -> x1, x6 -> x3 -> x1
    static constexpr std::uint32_t kLowestBin = 10;  // nothing below is worth halving
    static constexpr int kHarmonics = 8;
    static constexpr double kHarmonicWeight = 0.84;
    static constexpr double kHighestHarmonicHz = 3000.0;
    static constexpr double kPeakCents = 40.0;  // how far from m f a harmonic's peak may lie
    static constexpr double kMargin = 1.1;
    static constexpr int kNearbyBins = 2;  // where the harmonic sum is asked again

    OctaveCheck(const HannSpectrum& spectrum, const double* harmonicSums, std::uint32_t bins,
                double binHertz)
        : spectrum_(spectrum), harmonicSums_(harmonicSums), bins_(bins), binHertz_(binHertz) {}

    // The bin the fundamental of `bin` lies at: `bin` itself, or the strongest harmonic sum
    // near a half, a third or a quarter of it, repeated up to kMaxMoves times.
    std::uint32_t check(std::uint32_t bin) const;

    // How well a fundamental at `hertz` explains the spectrum.
    double score(double hertz) const;

  private:
    // The largest windowed power within kPeakCents of `hertz`.
    double peakPower(double hertz) const;
    // The strongest harmonic sum within kNearbyBins of `centre`, the lowest on a tie.
    std::uint32_t strongestSumNear(std::uint32_t centre) const;

    const HannSpectrum& spectrum_;
    const double* harmonicSums_;
    std::uint32_t bins_;
    double binHertz_;
};

}  // namespace strumwise::pitch
