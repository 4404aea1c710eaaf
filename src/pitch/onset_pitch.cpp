#include "pitch/onset_pitch.h"

namespace strumwise::pitch {
namespace {

double partEnergy(std::span<const std::int16_t> block, std::size_t part) {
    double sum = 0.0;
    for (const std::int16_t sample : block.subspan(part * kOnsetPartSamples, kOnsetPartSamples)) {
        sum += static_cast<double>(sample) * sample;
    }
    return sum;
}

}  // namespace

std::optional<std::size_t> noteStartIn(std::span<const std::int16_t> block) {
    const std::size_t parts = block.size() / kOnsetPartSamples;
    std::optional<std::size_t> start;
    double before = parts > 0 ? partEnergy(block, 0) : 0.0;
    for (std::size_t part = 1; part < parts; ++part) {
        const double energy = partEnergy(block, part);
        if (energy > kOnsetRise * before) {
            start = (part + 1) * kOnsetPartSamples;
        }
        before = energy;
    }
    return start;
}

}  // namespace strumwise::pitch
