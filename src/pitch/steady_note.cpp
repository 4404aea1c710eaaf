#include "pitch/steady_note.h"

#include <cmath>

#include "pitch/onset_pitch.h"

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
    constexpr double kFallingEnergyRatio = kFallingLevelRatio * kFallingLevelRatio;
    const bool levelSteady = first > 0.0 && second > 0.0 && second <= kEnergyRatio * first &&
                             first <= kFallingEnergyRatio * second;
    steady_ = levelSteady && refinedHertz > 0.0 && halvesAgree(block, refinedHertz);
    hertz_ = refinedHertz;
    if (!steady_ && refinedHertz > 0.0) {
        readNoteStartedInside(block, refinedHertz);
    }
}

bool SteadyNote::halvesAgree(std::span<const std::int16_t> samples, double hertz) const {
    const std::size_t half = samples.size() / 2;
    const double early = partialNear(samples.first(half), sampleRate_, hertz);
    const double late = partialNear(samples.subspan(half, half), sampleRate_, hertz);
    return early > 0.0 && late > 0.0 &&
           std::abs(1200.0 * std::log2(late / early)) <= kAgreementCents;
}

void SteadyNote::readNoteStartedInside(std::span<const std::int16_t> block, double refinedHertz) {
    const auto start = noteStartIn(block);
    if (!start || block.size() - *start < kShortestNoteSamples) {
        return;
    }
    // The new note must still sound at the block's end, as loud as a steady block's halves.
    const auto note = block.subspan(*start);
    const std::size_t half = note.size() / 2;
    const double first = energyOf(note.first(half));
    const double second = energyOf(note.subspan(half, half));
    constexpr double kFallingEnergyRatio = kFallingLevelRatio * kFallingLevelRatio;
    if (second <= 0.0 || first > kFallingEnergyRatio * second || !halvesAgree(note, refinedHertz)) {
        return;
    }
    // The mixed block's pitch lies near the new note's, which dominates it.
    const double hertz = partialNear(note, sampleRate_, refinedHertz);
    if (hertz > 0.0) {
        steady_ = true;
        hertz_ = hertz;
    }
}

}  // namespace strumwise::pitch
