#include "pitch/pitch_estimator.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "pitch/hann_spectrum.h"
#include "pitch/octave_check.h"

namespace strumwise::pitch {

namespace {

// Magnitudes are scaled by 1/16384 so that the harmonic sum's whole-number cut-off sits at a
// level a plucked string easily clears and background hiss does not.
constexpr double kMagnitudeScale = 6.103515625e-05;

// 2^-15: bin k of a 32768-point transform lies at sampleRate * k / 32768 Hz.
constexpr double kBinFraction = 1.0 / 32768.0;

constexpr std::array<double, 2> kHarmonicDivisors = {2.0, 3.0};

// How far the refinement looks from the chosen bin for the fundamental's own peak.
constexpr int kPeakSearchBins = 8;
// The Hann window is applied in the frequency domain for blocks of at least 1/16 of the
// transform.
constexpr std::uint32_t kMaxHannShift = 16;
// Keeps the logarithm finite where a neighbour of the peak is exactly zero.
constexpr double kSmallestMagnitude = 1e-300;

}  // namespace

// The real transform writes bins 0..N/2.
struct PitchEstimator::Spectrum {
    std::array<kiss_fft_cpx, kTransformSize / 2 + 1> bins;
};

PitchEstimator::PitchEstimator(double sampleRate)
    : sampleRate_(sampleRate),
      config_(kiss_fftr_alloc(static_cast<int>(kTransformSize), 0, nullptr, nullptr)),
      inFft_(std::make_unique<float[]>(kTransformSize)),
      outFft_(std::make_unique<Spectrum>()),
      freqDb_(std::make_unique<double[]>(kSpectrumBins)),
      freqDbHarmonic_(std::make_unique<double[]>(kSpectrumBins)) {
    if (config_ == nullptr) {
        // Only an exhausted heap gets here; an estimator without its transform is useless.
        std::fputs("PitchEstimator: cannot allocate the 32768-point transform\n", stderr);
        std::abort();
    }
}

PitchEstimator::~PitchEstimator() {
    kiss_fftr_free(config_);
}

float PitchEstimator::getFreqFromBuffer(const std::int16_t* samples, std::uint32_t length) {
    std::fill_n(inFft_.get(), kTransformSize, 0.0f);
    outFft_->bins.fill(kiss_fft_cpx{0.0f, 0.0f});
    std::fill_n(freqDb_.get(), kSpectrumBins, 0.0);
    std::fill_n(freqDbHarmonic_.get(), kSpectrumBins, 0.0);

    performFFT(samples, length / 2);
    sampleCount_ = std::min(length / 2, kTransformSize);
    addHarmonics();
    estimatedBin_ = findTopSpike();
    chosenBin_ = estimatedBin_;
    return binToHz(chosenBin_);
}

float PitchEstimator::checkOctave() {
    const HannSpectrum spectrum = hannSpectrum();
    chosenBin_ =
        OctaveCheck(spectrum, freqDbHarmonic_.get(), kSpectrumBins, sampleRate_ * kBinFraction)
            .check(estimatedBin_);
    return binToHz(chosenBin_);
}

HannSpectrum PitchEstimator::hannSpectrum() const {
    // Blocks shorter than 1/16 of the transform have too few samples to be worth windowing.
    const std::uint32_t shift =
        (sampleCount_ >= kTransformSize / kMaxHannShift && kTransformSize % sampleCount_ == 0)
            ? kTransformSize / sampleCount_
            : 0;
    return HannSpectrum(outFft_->bins.data(), freqDb_.get(), kSpectrumBins, shift);
}

void PitchEstimator::performFFT(const std::int16_t* samples, std::uint32_t totalSamples) {
    const std::uint32_t count = std::min(totalSamples, kTransformSize);
    float* in = inFft_.get();
    for (std::uint32_t i = 0; i < count; ++i) {
        in[i] = static_cast<float>(samples[i]);
    }

    kiss_fftr(config_, in, outFft_->bins.data());

    double* magnitudes = freqDb_.get();
    for (std::uint32_t k = 0; k < kSpectrumBins; ++k) {
        const double re = outFft_->bins[k].r;
        const double im = outFft_->bins[k].i;
        magnitudes[k] = std::sqrt(im * im + re * re) * kMagnitudeScale;
    }
}

void PitchEstimator::addHarmonics() {
    const double* source = freqDb_.get();
    double* sums = freqDbHarmonic_.get();
    std::copy_n(source, kSpectrumBins, sums);

    // Source bin i belongs to target bin round(i / d), halves rounded away from zero. Each group
    // adds the whole-number part of its strongest member to its target; bins are visited in
    // order, so a group is complete when the next one starts. The last group of each pass (the
    // top one or two bins of the spectrum, far above any banjo harmonic) is left out, so that
    // the estimate stays the same as the tuner has always made it.
    for (const double divisor : kHarmonicDivisors) {
        std::uint32_t target = 0;
        std::int32_t strongest = 0;
        for (std::uint32_t i = 0; i < kSpectrumBins; ++i) {
            const auto groupTarget = static_cast<std::uint32_t>(std::round(i / divisor));
            if (target < groupTarget) {
                sums[target] += static_cast<double>(strongest);
                target = groupTarget;
                strongest = 0;
            }
            if (source[i] > strongest) {
                strongest = static_cast<std::int32_t>(source[i]);
            }
        }
    }
}

std::uint32_t PitchEstimator::findTopSpike() const {
    const double* sums = freqDbHarmonic_.get();
    double best = 0.0;
    std::uint32_t bestBin = 0;
    for (std::uint32_t i = 0; i < kSpectrumBins; ++i) {
        if (sums[i] > best) {
            best = sums[i];
            bestBin = i;
        }
    }
    return bestBin;
}

double PitchEstimator::refinedFrequency() const {
    if (chosenBin_ == 0) {
        return 0.0;
    }
    // The block went in unwindowed, so every strong partial leaks into its neighbours through the
    // rectangular window's slowly falling side lobes: read from freq_db, a peak is pulled by up to
    // half a cent on clean synthetic tones and two on a sampled banjo, whose second harmonic is
    // often stronger than its fundamental. The Hann window costs three complex bins per value and
    // no transform (see HannSpectrum).
    const HannSpectrum spectrum = hannSpectrum();
    const auto magnitude = [&](std::uint32_t k) { return spectrum.power(k); };

    // The harmonic sum adds whole numbers from the overtones' bins, so the bin it chose can sit a
    // few bins beside the fundamental's own peak; its steps would also bend a parabola. Climb the
    // fundamental's main lobe (sixteen bins either side under the Hann window) to its top first.
    std::uint32_t peak = chosenBin_;
    for (int step = 0; step < kPeakSearchBins; ++step) {
        if (peak + 2 < kSpectrumBins && magnitude(peak + 1) > magnitude(peak)) {
            ++peak;
        } else if (peak > 1 && magnitude(peak - 1) > magnitude(peak)) {
            --peak;
        } else {
            break;
        }
    }
    if (peak == 0 || peak + 1 >= kSpectrumBins) {
        return binToHz(chosenBin_);
    }
    // Zero padding to eight times the block makes the main lobe sixteen bins wide or more, so
    // around its top the logarithm of the magnitude is a parabola to within a thousandth of a bin.
    // The logarithms of the powers are twice those of the magnitudes: the same vertex.
    const double left = std::log(std::max(magnitude(peak - 1), kSmallestMagnitude));
    const double centre = std::log(std::max(magnitude(peak), kSmallestMagnitude));
    const double right = std::log(std::max(magnitude(peak + 1), kSmallestMagnitude));
    const double curvature = left - 2.0 * centre + right;
    const double offset = curvature < 0.0 ? 0.5 * (left - right) / curvature : 0.0;
    return sampleRate_ * (static_cast<double>(peak) + std::clamp(offset, -0.5, 0.5)) * kBinFraction;
}

float PitchEstimator::binToHz(std::uint32_t bin) const {
    return static_cast<float>(sampleRate_ * static_cast<double>(static_cast<float>(bin)) *
                              kBinFraction);
}

}  // namespace strumwise::pitch
