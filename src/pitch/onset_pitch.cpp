#include "pitch/onset_pitch.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace strumwise::pitch {
namespace {

double partEnergy(std::span<const std::int16_t> block, std::size_t part) {
    double sum = 0.0;
    for (const std::int16_t sample : block.subspan(part * kOnsetPartSamples, kOnsetPartSamples)) {
        sum += static_cast<double>(sample) * sample;
    }
    return sum;
}

// The magnitude of the Hann-windowed samples' Fourier sum at `cycles` per sample. The window's
// three terms, 0.5 - 0.25 e^{i w} - 0.25 e^{-i w}, are summed with the signal in one pass, each
// by its own rotating phasor, so no sine is taken per sample.
double windowedMagnitude(std::span<const std::int16_t> samples, double cycles) {
    const double length = static_cast<double>(samples.size());
    const double window = 2.0 * std::numbers::pi / length;
    const double signal = -2.0 * std::numbers::pi * cycles;
    std::complex<double> centre{};
    std::complex<double> below{};
    std::complex<double> above{};
    std::complex<double> phase{1.0, 0.0};
    const std::complex<double> step = std::polar(1.0, signal);
    const std::complex<double> windowStep = std::polar(1.0, window);
    std::complex<double> windowPhase{1.0, 0.0};
    std::size_t n = 0;
    for (const std::int16_t sample : samples) {
        const std::complex<double> term = static_cast<double>(sample) * phase;
        centre += term;
        above += term * windowPhase;
        below += term * std::conj(windowPhase);
        phase *= step;
        windowPhase *= windowStep;
        // The rotations drift by rounding; renormalising now and then keeps them on the circle.
        if (++n % 256 == 0) {
            phase /= std::abs(phase);
            windowPhase /= std::abs(windowPhase);
        }
    }
    return std::abs(0.5 * centre - 0.25 * (above + below));
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

double partialNear(std::span<const std::int16_t> samples, double sampleRate, double guessHertz) {
    if (samples.size() < kShortestNoteSamples / 2 || guessHertz <= 0.0) {
        return 0.0;
    }
    // The Hann window's main lobe is four of the samples' own bins wide, far wider than a
    // quarter tone at these lengths, so the magnitude rises to a single top within the search:
    // a golden-section search finds it.
    constexpr double kQuarterTone = 1.0293022366434921;  // 2^(1/24)
    constexpr double kGolden = 0.6180339887498949;
    const auto magnitude = [&](double hertz) {
        return windowedMagnitude(samples, hertz / sampleRate);
    };
    const double lowest = guessHertz / kQuarterTone;
    const double highest = guessHertz * kQuarterTone;
    double low = lowest;
    double high = highest;
    double left = high - kGolden * (high - low);
    double right = low + kGolden * (high - low);
    double leftValue = magnitude(left);
    double rightValue = magnitude(right);
    // Narrows the bracket to below a hundredth of a cent.
    while (high - low > guessHertz * 5e-6) {
        if (leftValue < rightValue) {
            low = left;
            left = right;
            leftValue = rightValue;
            right = low + kGolden * (high - low);
            rightValue = magnitude(right);
        } else {
            high = right;
            right = left;
            rightValue = leftValue;
            left = high - kGolden * (high - low);
            leftValue = magnitude(left);
        }
    }
    // A top at either end of the search is no partial's: the magnitude only rose towards the
    // edge, as it does on the slope of a louder sound's lobe or in noise, where every part of a
    // block would otherwise read the same edge and seem to agree.
    const double top = 0.5 * (low + high);
    const double edge = guessHertz * 1e-4;
    return top - lowest < edge || highest - top < edge ? 0.0 : top;
}

}  // namespace strumwise::pitch
