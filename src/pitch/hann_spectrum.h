#pragma once

#include <kiss_fftr.h>

#include <cstdint>

namespace strumwise::pitch {

// The power of each bin of a zero-padded transform as if the block had gone in under a Hann
// window. The window is applied in the frequency domain: with the block `count` samples long
// and the transform `shift` times longer, windowing is 0.5 X[k] - 0.25 X[k - shift] -
// 0.25 X[k + shift], three complex bins per value and no second transform. Bins beyond either
// end are read through the real transform's symmetry (X[-k] and X[N - k] are the conjugates of
// X[k]). With no shift (a block whose length does not divide the transform) the plain
// magnitudes serve, squared.
class HannSpectrum {
  public:
    // `bins` holds entries 0..halfSize of the transform; `magnitudes` bins 0..halfSize - 1.
    HannSpectrum(const kiss_fft_cpx* bins, const double* magnitudes, std::uint32_t halfSize,
                 std::uint32_t shift)
        : bins_(bins), magnitudes_(magnitudes), halfSize_(halfSize), shift_(shift) {}

    bool windowed() const { return shift_ != 0; }

    // The squared magnitude of bin k, 0 <= k < halfSize. Only ratios between values of one
    // spectrum mean anything: the two kinds are scaled differently.
    double power(std::uint32_t k) const {
        if (shift_ == 0) {
            return magnitudes_[k] * magnitudes_[k];
        }
        const auto low = at(static_cast<std::int64_t>(k) - shift_);
        const auto high = at(static_cast<std::int64_t>(k) + shift_);
        const double re = 0.5 * bins_[k].r - 0.25 * (low.re + high.re);
        const double im = 0.5 * bins_[k].i - 0.25 * (low.im + high.im);
        return re * re + im * im;
    }

  private:
    struct Complex {
        double re;
        double im;
    };

    Complex at(std::int64_t k) const {
        const std::int64_t half = halfSize_;
        if (k < 0) {
            return {bins_[-k].r, -static_cast<double>(bins_[-k].i)};
        }
        if (k > half) {
            const std::int64_t mirror = 2 * half - k;
            return {bins_[mirror].r, -static_cast<double>(bins_[mirror].i)};
        }
        return {bins_[k].r, bins_[k].i};
    }

    const kiss_fft_cpx* bins_;
    const double* magnitudes_;
    std::uint32_t halfSize_;
    std::uint32_t shift_;
};

}  // namespace strumwise::pitch
