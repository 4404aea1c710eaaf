#pragma once

// The instrument corpus that bench/render_instrument_corpus.sh renders, as the accuracy and
// re-pluck benchmarks read it: what each file holds, and its true pitch. The truth is measured
// here, slowly and finely, by code of its own: a direct Fourier sum at any frequency over a
// second of the clean note, so that no part of the tuner judges itself.

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "adapters/sound_files/audio_file.h"

namespace strumwise::bench {

inline constexpr double kRate = 14039.0;
inline constexpr std::size_t kBlock = 4096;

// One rendered note: SOUND_MIDI_CENTS.wav, e.g. "fluid-banjo_55_-7.wav" or "pluck_62_20.wav".
struct CorpusNote {
    std::string sound;
    int midi = 0;
    int cents = 0;
    std::string file;  // the name without its folder

    double nominalHertz() const { return 440.0 * std::exp2((midi - 69) / 12.0 + cents / 1200.0); }
};

inline std::optional<CorpusNote> parseCorpusName(const std::filesystem::path& path) {
    if (path.extension() != ".wav") {
        return std::nullopt;
    }
    const std::string stem = path.stem().string();
    const auto last = stem.rfind('_');
    const auto middle = last == std::string::npos ? last : stem.rfind('_', last - 1);
    if (middle == std::string::npos) {
        return std::nullopt;
    }
    CorpusNote note;
    note.sound = stem.substr(0, middle);
    note.midi = std::stoi(stem.substr(middle + 1, last - middle - 1));
    note.cents = std::stoi(stem.substr(last + 1));
    note.file = path.filename().string();
    return note;
}

inline std::vector<CorpusNote> corpusNotes(const std::filesystem::path& clean) {
    std::vector<CorpusNote> notes;
    for (const auto& entry : std::filesystem::directory_iterator(clean)) {
        if (auto note = parseCorpusName(entry.path())) {
            notes.push_back(*note);
        }
    }
    std::sort(notes.begin(), notes.end(), [](const CorpusNote& a, const CorpusNote& b) {
        return std::tie(a.sound, a.midi, a.cents) < std::tie(b.sound, b.midi, b.cents);
    });
    return notes;
}

// The corpus in the folder the command line names (build/instrument_corpus by default). With no
// notes there, `program` says where it looked and how to make one.
struct Corpus {
    std::filesystem::path dir;
    std::vector<CorpusNote> notes;
};

inline Corpus openCorpus(int argc, char** argv, const char* program) {
    Corpus corpus{argc > 1 ? argv[1] : "build/instrument_corpus", {}};
    if (std::filesystem::is_directory(corpus.dir / "clean")) {
        corpus.notes = corpusNotes(corpus.dir / "clean");
    }
    if (corpus.notes.empty()) {
        std::fprintf(stderr, "%s: no corpus in %s (bench/render_instrument_corpus.sh makes it)\n",
                     program, corpus.dir.c_str());
    }
    return corpus;
}

inline std::vector<std::int16_t> readCorpusFile(const std::filesystem::path& path) {
    auto decoded = platform::sound_files::readAudioFile(path.string(), kRate);
    return std::move(decoded.samples);
}

inline double centsBetween(double hertz, double reference) {
    return 1200.0 * std::log2(hertz / reference);
}

inline std::string midiName(int midi) {
    static const char* const kNames[] = {"C",  "C#", "D",  "D#", "E",  "F",
                                         "F#", "G",  "G#", "A",  "A#", "B"};
    return kNames[midi % 12] + std::to_string(midi / 12 - 1);
}

// The note's own pitch: its fundamental's peak, found to a thousandth of a cent within 60 cents
// of the nominal pitch in a Hann-windowed second starting 50 ms after the onset. Where the
// fundamental is too weak to be seen (40 dB under the second partial), half the second
// partial's peak stands for it. 0 for a silent file.
class TrueNotePitch {
  public:
    TrueNotePitch(const std::vector<std::int16_t>& samples, double nominalHertz) {
        int peak = 0;
        for (const std::int16_t s : samples) {
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        }
        if (peak == 0) {
            return;
        }
        std::size_t onset = 0;
        while (std::abs(static_cast<int>(samples[onset])) < peak / 5) {
            ++onset;
        }
        const std::size_t start =
            std::min(onset + static_cast<std::size_t>(0.05 * kRate), samples.size());
        const std::size_t count = std::min(static_cast<std::size_t>(kRate), samples.size() - start);
        for (std::size_t n = 0; n < count; ++n) {
            const double w = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(n) /
                                                  static_cast<double>(count));
            segment_.push_back(w * samples[start + n]);
        }
        const double first = peakNear(nominalHertz);
        const double second = peakNear(2.0 * nominalHertz);
        hertz_ = magnitude(first) < 0.01 * magnitude(second) ? second / 2.0 : first;
        // The pitch the low partials agree on: the least-squares fit of a harmonic series to
        // the peaks of the first four partials below 3 kHz, each partial weighted by its power.
        // A partial m measures the pitch m times as finely as the first does, so its frequency
        // counts m^2 times more in the fit, as the ear's pitch leans on the overtones of a low
        // note. On a string whose partials are harmonic it is the first partial's pitch.
        double weighted = 0.0;
        double weights = 0.0;
        for (int m = 1; m <= 4 && m * hertz_ < 3000.0; ++m) {
            const double partial = m == 1 ? hertz_ : peakNear(m * hertz_, 30.0);
            const double power = std::pow(magnitude(partial), 2.0);
            partialCents_.push_back(centsBetween(partial, m * hertz_));
            partialPower_.push_back(power);
            weighted += power * m * partial;
            weights += power * m * m;
        }
        lowPartialsHertz_ = weights > 0.0 ? weighted / weights : hertz_;
    }

    // The first partial's pitch.
    double hertz() const { return hertz_; }
    // The pitch the first four partials agree on, which the tuner shows.
    double lowPartialsHertz() const { return lowPartialsHertz_; }
    // Each partial's offset in cents from that multiple of the first, and its power.
    const std::vector<double>& partialCents() const { return partialCents_; }
    const std::vector<double>& partialPower() const { return partialPower_; }

  private:
    double magnitude(double hertz) const {
        const std::complex<double> step = std::polar(1.0, -2.0 * std::numbers::pi * hertz / kRate);
        std::complex<double> phasor = 1.0;
        std::complex<double> sum = 0.0;
        for (std::size_t n = 0; n < segment_.size(); ++n) {
            sum += segment_[n] * phasor;
            phasor *= step;
            if (n % 1024 == 1023) {
                phasor /= std::abs(phasor);  // keeps the rotation from drifting off the circle
            }
        }
        return std::abs(sum);
    }

    double peakNear(double hertz, double reachCents = 60.0) const {
        double best = hertz;
        double bestValue = -1.0;
        for (double cents = -reachCents; cents <= reachCents; cents += 1.0) {
            const double f = hertz * std::exp2(cents / 1200.0);
            const double value = magnitude(f);
            if (value > bestValue) {
                bestValue = value;
                best = f;
            }
        }
        // Golden-section search over the cent around the best grid point.
        double low = best * std::exp2(-1.0 / 1200.0);
        double high = best * std::exp2(1.0 / 1200.0);
        const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
        while (centsBetween(high, low) > 0.001) {
            const double a = high - ratio * (high - low);
            const double b = low + ratio * (high - low);
            if (magnitude(a) > magnitude(b)) {
                high = b;
            } else {
                low = a;
            }
        }
        return (low + high) / 2.0;
    }

    std::vector<double> segment_;
    double hertz_ = 0.0;
    double lowPartialsHertz_ = 0.0;
    std::vector<double> partialCents_;
    std::vector<double> partialPower_;
};

inline double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return NAN;
    }
    std::sort(values.begin(), values.end());
    const auto index =
        static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

}  // namespace strumwise::bench
