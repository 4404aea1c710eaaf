#include "pitch/octave_check.h"

#include <algorithm>
#include <cmath>

namespace strumwise::pitch {

std::uint32_t OctaveCheck::check(std::uint32_t bin) const {
    for (int move = 0; move < kMaxMoves && bin >= kLowestBin; ++move) {
        const double hertz = bin * binHertz_;
        const double own = score(hertz);
        const double half = score(hertz / 2.0);
        const double third = score(hertz / 3.0);
        const bool halfWins = half > kMargin * own;
        const bool thirdWins = third > kMargin * own;
        std::uint32_t divisor = 0;
        if (halfWins || thirdWins) {
            divisor = halfWins && (!thirdWins || half >= third) ? 2 : 3;
        } else if (half > own && score(hertz / 4.0) > kMargin * own) {
            // The fourth partial of a bright attack: its half already leads, short of the
            // margin, because it misses the odd partials that its own half explains.
            divisor = 4;
        } else {
            break;
        }
        bin = strongestSumNear(
            static_cast<std::uint32_t>(std::lround(static_cast<double>(bin) / divisor)));
    }
    return bin;
}

double OctaveCheck::score(double hertz) const {
    double total = 0.0;
    double weight = 1.0;
    for (int m = 1; m <= kHarmonics && m * hertz < kHighestHarmonicHz; ++m) {
        // The square root of a magnitude: the fourth root of the power.
        total += weight * std::sqrt(std::sqrt(peakPower(m * hertz)));
        weight *= kHarmonicWeight;
    }
    return total;
}

double OctaveCheck::peakPower(double hertz) const {
    const double spread = std::exp2(kPeakCents / 1200.0);
    const double centre = hertz / binHertz_;
    const double last = static_cast<double>(bins_ - 1);
    // A low harmonic's window can fall between two bins; its nearest bin then stands for it.
    const double nearest = std::min(std::round(centre), last);
    const auto low = static_cast<std::uint32_t>(std::min(std::ceil(centre / spread), nearest));
    const auto high =
        static_cast<std::uint32_t>(std::max(std::min(std::floor(centre * spread), last), nearest));
    double peak = 0.0;
    for (std::uint32_t k = low; k <= high; ++k) {
        peak = std::max(peak, spectrum_.power(k));
    }
    return peak;
}

std::uint32_t OctaveCheck::strongestSumNear(std::uint32_t centre) const {
    const std::uint32_t low = centre > kNearbyBins ? centre - kNearbyBins : 0;
    const std::uint32_t high = std::min(centre + kNearbyBins, bins_ - 1);
    std::uint32_t best = low;
    for (std::uint32_t k = low + 1; k <= high; ++k) {
        if (harmonicSums_[k] > harmonicSums_[best]) {
            best = k;
        }
    }
    return best;
}

}  // namespace strumwise::pitch
