#pragma once

#include <cstdint>
#include <memory>

struct kiss_fftr_state;

namespace strumwise::pitch {

class HannSpectrum;

// Turns one block of signed 16-bit mono samples into one frequency: the block is zero-padded to
// a 32768-point real transform (no window), the magnitudes of bins 0..16383 are summed with the
// whole-number parts of the strongest bins around twice and three times each bin, and the peak
// bin of that harmonic sum is converted to Hz. The estimate has no interpolation between bins and
// no smoothing over time: bins are 0.43 Hz wide at 14039 Hz, fine enough for the in-tune windows.
// A cents meter needs finer, which refinedFrequency gives beside it from the same transform.
//
// All storage, including the transform configuration, is allocated at construction; an estimate
// allocates nothing. One thread at a time uses an estimator.
class PitchEstimator {
  public:
    static constexpr std::uint32_t kTransformSize = 32768;
    static constexpr std::uint32_t kSpectrumBins = kTransformSize / 2;  // the Nyquist bin is unused

    explicit PitchEstimator(double sampleRate);
    ~PitchEstimator();
    PitchEstimator(const PitchEstimator&) = delete;
    PitchEstimator& operator=(const PitchEstimator&) = delete;
    PitchEstimator(PitchEstimator&&) = delete;
    PitchEstimator& operator=(PitchEstimator&&) = delete;

    // The whole estimate for a block of `length` bytes (an odd last byte is ignored). Samples
    // beyond the transform size are ignored. Silence gives 0 Hz.
    float getFreqFromBuffer(const std::int16_t* samples, std::uint32_t length);

    // The steps of one estimate, in calling order. performFFT fills freq_db with the magnitude
    // spectrum of the first `totalSamples` samples (at most kTransformSize are used); addHarmonics
    // fills freq_db_harmonic from freq_db; findTopSpike answers the lowest bin holding the
    // largest harmonic sum, bin 0 when every value is 0.
    void performFFT(const std::int16_t* samples, std::uint32_t totalSamples);
    void addHarmonics();
    std::uint32_t findTopSpike() const;

    // Bin k in Hz, rounded to a float as the estimate reports it.
    float binToHz(std::uint32_t bin) const;

    // The last estimate with its octave checked (see OctaveCheck), in Hz: where the harmonic
    // sum chose the second or third partial of a weak fundamental, the fundamental's bin. Reads
    // the transform the estimate left, so it costs no transform and allocates nothing; from then
    // on refinedFrequency refines the checked bin. Asking again gives the same answer.
    float checkOctave();
    // The bin getFreqFromBuffer chose, and the bin refinedFrequency starts from (the checked one
    // once checkOctave ran).
    std::uint32_t estimatedBin() const { return estimatedBin_; }

    // The last estimate refined between bins, in Hz: the fundamental's peak next to the bin the
    // estimate chose, in the spectrum of the block under a Hann window, placed by a parabola
    // through the logarithms of that peak's bin and its two neighbours. Reads the transform the
    // estimate left, so it costs no transform and allocates nothing. 0 when the estimate was 0 Hz.
    double refinedFrequency() const;

    // The last estimate's spectra, kSpectrumBins values each, in the same storage every time.
    // freq_db holds linear magnitudes (scaled by 1/16384) despite its name.
    double* freq_db() { return freqDb_.get(); }
    const double* freq_db() const { return freqDb_.get(); }
    double* freq_db_harmonic() { return freqDbHarmonic_.get(); }
    const double* freq_db_harmonic() const { return freqDbHarmonic_.get(); }

  private:
    struct Spectrum;

    double sampleRate_;
    kiss_fftr_state* config_;
    std::unique_ptr<float[]> inFft_;
    std::unique_ptr<Spectrum> outFft_;
    std::unique_ptr<double[]> freqDb_;
    std::unique_ptr<double[]> freqDbHarmonic_;
    // The windowed spectrum of the last transform.
    HannSpectrum hannSpectrum() const;

    // The bin the last getFreqFromBuffer chose, the bin refinedFrequency starts from and the
    // samples the estimate read.
    std::uint32_t estimatedBin_ = 0;
    std::uint32_t chosenBin_ = 0;
    std::uint32_t sampleCount_ = 0;
};

}  // namespace strumwise::pitch
