#include "pitch/pitch_estimator.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace strumwise::pitch {

namespace {

// Magnitudes are scaled by 1/16384 so that the harmonic sum's whole-number cut-off sits at a
// level a plucked string easily clears and background hiss does not.
constexpr double kMagnitudeScale = 6.103515625e-05;

// 2^-15: bin k of a 32768-point transform lies at sampleRate * k / 32768 Hz.
constexpr double kBinFraction = 1.0 / 32768.0;

constexpr std::array<double, 2> kHarmonicDivisors = {2.0, 3.0};

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
    addHarmonics();
    return binToHz(findTopSpike());
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

float PitchEstimator::binToHz(std::uint32_t bin) const {
    return static_cast<float>(sampleRate_ * static_cast<double>(static_cast<float>(bin)) *
                              kBinFraction);
}

}  // namespace strumwise::pitch
