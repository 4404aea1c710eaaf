#include "pitch/steady_note.h"

#include <cmath>

namespace strumwise::pitch {
namespace {

double energyOf(std::span<const std::int16_t> samples) {
    double sum = 0.0;
    for (const std::int16_t sample : samples) {
        sum += static_cast<double>(sample) * sample;
    }
    return sum;
}

}  // namespace

void SteadyNote::observe(std::span<const std::int16_t> block, double refinedHertz) {
    const std::size_t half = block.size() / 2;
    // Energies of equal halves stand in for their RMS levels; the ratio is squared to match.
    const double first = energyOf(block.first(half));
    const double second = energyOf(block.subspan(half, half));
    constexpr double kEnergyRatio = kLevelRatio * kLevelRatio;
    const bool levelSteady = first > 0.0 && second > 0.0 && first <= kEnergyRatio * second &&
                             second <= kEnergyRatio * first;
    const double energy = first + second;
    const bool startsNote = energy > kNoteStartRatio * kNoteStartRatio * previousEnergy_;
    const bool pitchSteady =
        refinedHertz > 0.0 &&
        (startsNote ||
         (previousHertz_ > 0.0 &&
          std::abs(1200.0 * std::log2(refinedHertz / previousHertz_)) <= kAgreementCents));
    steady_ = levelSteady && pitchSteady;
    previousHertz_ = refinedHertz;
    previousEnergy_ = energy;
}

}  // namespace strumwise::pitch
