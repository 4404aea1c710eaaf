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

// Whether no part of the block's first quarter, in parts of a sixteenth, is louder than the
// part before it by more than `ratio` in energy.
bool risesByAtMost(std::span<const std::int16_t> block, double ratio) {
    const std::size_t part = block.size() / SteadyNote::kOnsetParts;
    double before = energyOf(block.first(part));
    for (std::size_t i = 1; i < SteadyNote::kOnsetParts / 4; ++i) {
        const double energy = energyOf(block.subspan(i * part, part));
        if (energy > ratio * before) {
            return false;
        }
        before = energy;
    }
    return true;
}

}  // namespace

void SteadyNote::observe(std::span<const std::int16_t> block, double refinedHertz) {
    const std::size_t half = block.size() / 2;
    // Energies of equal halves stand in for their RMS levels; the ratio is squared to match.
    const double first = energyOf(block.first(half));
    const double second = energyOf(block.subspan(half, half));
    constexpr double kEnergyRatio = kLevelRatio * kLevelRatio;
    constexpr double kFallingEnergyRatio = kFallingLevelRatio * kFallingLevelRatio;
    const double energy = first + second;
    // A string dying away fast may lose more than kLevelRatio between its halves, but then it
    // lost as much from the block before: the fall between halves is no steeper than the fall
    // between blocks, whose half it is in a smooth decay. A note that stops inside the block
    // falls steeply between its halves only.
    const bool decays = energy > 0.0 && first <= kFallingEnergyRatio * second &&
                        first * first <= kDecaySlack * second * second * (previousEnergy_ / energy);
    const bool levelSteady = first > 0.0 && second > 0.0 && second <= kEnergyRatio * first &&
                             (first <= kEnergyRatio * second || decays);
    // A note's first block has no pitch before it to agree with. Where the note before still
    // sounds, the block must be loud from its start: a pluck that begins a little way into the
    // block leaves the old note's tail in its first part, too short to tip the halves' levels
    // but enough to bend the pitch. Out of silence, an attack's own rise bends nothing.
    const bool startsNote =
        energy > kNoteStartRatio * kNoteStartRatio * previousEnergy_ &&
        (previousEnergy_ * kTailRatio < energy || risesByAtMost(block, kEnergyRatio));
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
