#include "pitch/note_reader.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <numbers>

#include "pitch/onset_pitch.h"

namespace strumwise::pitch {
namespace {

// Harmonics that vote for a series, and how much each counts beside the one below it.
constexpr int kScoredHarmonics = 8;
constexpr double kHarmonicWeight = 0.84;
// How far from m times the series' pitch its m-th partial's peak may lie.
constexpr double kPartialReachCents = 60.0;
// How far above the median of its octave a partial's peak must rise to count for a series.
constexpr double kFloorRise = 8.0;
// Keeps the logarithm finite where a neighbour of a peak is exactly zero.
constexpr double kSmallestPower = 1e-300;

double energyOf(std::span<const std::int16_t> samples) {
    double sum = 0.0;
    for (const std::int16_t sample : samples) {
        sum += static_cast<double>(sample) * sample;
    }
    return sum;
}

double centsBetween(double hertz, double reference) {
    return 1200.0 * std::log2(hertz / reference);
}

}  // namespace

NoteReader::NoteReader(double sampleRate)
    : binHertz_(sampleRate / kTransformSize),
      config_(kiss_fftr_alloc(static_cast<int>(kTransformSize), 0, nullptr, nullptr)),
      input_(std::make_unique<float[]>(kTransformSize)),
      spectrum_(std::make_unique<float[]>(kTransformSize + 2)),
      power_(std::make_unique<double[]>(kTransformSize / 2)),
      floor_(std::make_unique<double[]>(kTransformSize / 2)),
      scratch_(std::make_unique<double[]>(kTransformSize / 2)),
      usedBins_(kTransformSize / 2) {
    if (config_ == nullptr) {
        // Only an exhausted heap gets here; a reader without its transform is useless.
        std::fputs("NoteReader: cannot allocate its transform\n", stderr);
        std::abort();
    }
}

NoteReader::~NoteReader() {
    kiss_fftr_free(config_);
}

NoteReading NoteReader::read(std::span<const std::int16_t> recent, std::uint64_t end) {
    NoteReading reading = judge(recent.last(std::min(recent.size(), kHistorySamples)), end);
    if (reading.noNote()) {
        noiseEnd_ = end;
    }
    reading.noiseLately = noiseEnd_ != 0 && end - noiseEnd_ < kHistorySamples;
    return reading;
}

NoteReading NoteReader::judge(std::span<const std::int16_t> recent, std::uint64_t end) {
    const std::optional<std::size_t> start = noteStartIn(recent);
    // A start found that was not found before is a new pluck; one that has passed out of the
    // history, leaving none, is the same pluck ringing on. The history's parts begin elsewhere
    // at every reading, so the same start is found up to a part away.
    const std::uint64_t onset = start ? end - recent.size() + *start : previousStart_;
    const std::uint64_t moved =
        onset > previousStart_ ? onset - previousStart_ : previousStart_ - onset;
    const bool samePluck = moved <= kOnsetPartSamples;
    previousStart_ = onset;
    const Candidate previous = samePluck ? previous_ : Candidate{};
    previous_ = Candidate{};

    const std::size_t available = recent.size() - start.value_or(0);
    if (available < kShortestWindow) {
        return {start ? NoteReading::Verdict::Starting : NoteReading::Verdict::Unsure, 0.0};
    }
    const auto window = recent.last(std::min(available, kLongestWindow));
    const double early = energyOf(window.first(window.size() / 2));
    const double late = energyOf(window.last(window.size() - window.size() / 2));
    const double level = std::sqrt((early + late) / static_cast<double>(window.size())) / 32768.0;
    // Too quiet, or the edge of a sound (its end, a click) with most of the window silent
    // around it: nothing to judge a note by.
    if (level < kQuietest || std::min(early, late) < kEdgeRatio * std::max(early, late)) {
        return {};
    }
    transform(window);
    measureFloor();
    const Candidate candidate = fitPartials(strongestSeries());
    if (candidate.share < kNoteShare) {
        return {NoteReading::Verdict::NoNote, 0.0};
    }
    previous_ = candidate;
    if (previous.hertz > 0.0 &&
        std::abs(centsBetween(candidate.hertz, previous.hertz)) <= kAgreementCents) {
        return {NoteReading::Verdict::Note, candidate.hertz};
    }
    return {};
}

void NoteReader::transform(std::span<const std::int16_t> window) {
    // A periodic Hann window, its cosine turned by a rotating phasor rather than taken anew for
    // every sample.
    const std::complex<double> step =
        std::polar(1.0, 2.0 * std::numbers::pi / static_cast<double>(window.size()));
    std::complex<double> phase{1.0, 0.0};
    std::size_t n = 0;
    for (const std::int16_t sample : window) {
        input_[n] = static_cast<float>((0.5 - 0.5 * phase.real()) * sample);
        phase *= step;
        if (++n % 256 == 0) {
            phase /= std::abs(phase);
        }
    }
    std::fill(input_.get() + n, input_.get() + kTransformSize, 0.0f);
    auto* bins = reinterpret_cast<kiss_fft_cpx*>(spectrum_.get());
    kiss_fftr(config_, input_.get(), bins);
    for (std::uint32_t k = 0; k < usedBins_; ++k) {
        const double re = bins[k].r;
        const double im = bins[k].i;
        power_[k] = re * re + im * im;
    }
}

void NoteReader::measureFloor() {
    // Octaves from the lowest pitch read up to the highest partial looked for.
    auto low = static_cast<std::uint32_t>(kLowestHz / binHertz_);
    const auto top =
        std::min(usedBins_, static_cast<std::uint32_t>(kHighestPartialHz * 1.1 / binHertz_));
    std::fill_n(floor_.get(), usedBins_, 0.0);
    while (low < top) {
        const std::uint32_t high = std::min(top, 2 * low);
        std::copy(power_.get() + low, power_.get() + high, scratch_.get());
        double* middle = scratch_.get() + (high - low) / 2;
        std::nth_element(scratch_.get(), middle, scratch_.get() + (high - low));
        std::fill(floor_.get() + low, floor_.get() + high, *middle);
        low = high;
    }
}

double NoteReader::seriesScore(std::uint32_t bin) const {
    // The fourth root of a partial's power above the floor, so that one loud partial does not
    // outvote the series (a fundamental whose overtones are present beats a lone overtone), and
    // noise adds nothing. A bin of noise exceeds eight times the median of its octave once in
    // two hundred and fifty.
    double score = 0.0;
    double weight = 1.0;
    for (std::uint32_t m = 1; m <= kScoredHarmonics; ++m) {
        const std::uint32_t centre = m * bin;
        if (centre * binHertz_ > kHighestPartialHz || centre + m >= usedBins_) {
            break;
        }
        double peak = 0.0;
        for (std::uint32_t k = centre - (m + 1) / 2; k <= centre + (m + 1) / 2; ++k) {
            peak = std::max(peak, power_[k] - kFloorRise * floor_[k]);
        }
        score += weight * std::sqrt(std::sqrt(peak));
        weight *= kHarmonicWeight;
    }
    return score;
}

std::uint32_t NoteReader::strongestSeries() const {
    const auto lowest = static_cast<std::uint32_t>(std::ceil(kLowestHz / binHertz_));
    const auto highest = static_cast<std::uint32_t>(kHighestHz / binHertz_);
    std::uint32_t best = lowest;
    double bestScore = -1.0;
    for (std::uint32_t bin = lowest; bin <= highest; ++bin) {
        const double score = seriesScore(bin);
        if (score > bestScore) {
            bestScore = score;
            best = bin;
        }
    }
    return best;
}

double NoteReader::peakNear(double bin, double reachBins, double& power) const {
    const double lowest = std::max(1.0, bin - reachBins);
    const double highest = std::min(static_cast<double>(usedBins_ - 2), bin + reachBins);
    auto top = static_cast<std::uint32_t>(std::clamp(std::round(bin), lowest, highest));
    // Climb to the top of the lobe the partial's bin lies on.
    while (top + 1 <= highest && power_[top + 1] > power_[top]) {
        ++top;
    }
    while (top - 1 >= lowest && power_[top - 1] > power_[top]) {
        --top;
    }
    power = power_[top];
    if (top <= lowest || top >= highest) {
        power = 0.0;  // it only rose towards the edge: no partial of the series lies here
        return bin;
    }
    // Around its top the logarithm of a Hann lobe's power is a parabola.
    const double left = std::log(std::max(power_[top - 1], kSmallestPower));
    const double centre = std::log(std::max(power_[top], kSmallestPower));
    const double right = std::log(std::max(power_[top + 1], kSmallestPower));
    const double curvature = left - 2.0 * centre + right;
    const double offset = curvature < 0.0 ? 0.5 * (left - right) / curvature : 0.0;
    return static_cast<double>(top) + std::clamp(offset, -0.5, 0.5);
}

NoteReader::Candidate NoteReader::fitPartials(std::uint32_t bin) const {
    const double reach = std::exp2(kPartialReachCents / 1200.0) - 1.0;
    double weighted = 0.0;
    double weights = 0.0;
    int fitted = 0;
    for (int m = 1; m <= kFittedPartials; ++m) {
        const double centre = m * static_cast<double>(bin);
        if (centre * binHertz_ > kHighestPartialHz) {
            break;
        }
        fitted = m;
        double power = 0.0;
        const double top = peakNear(centre, std::max(2.0, centre * reach), power);
        weighted += power * m * top;
        weights += power * m * m;
    }
    if (weights <= 0.0) {
        return {};
    }
    const double fitBin = weighted / weights;
    // The power within an eighth of the pitch of each fitted partial, against all the power
    // from half the pitch to half a partial above the last: a partial's lobe lies well inside
    // its share however short the note is in the window (a pluck's end, its start), while flat
    // noise fills a quarter of the band.
    const double reachBins = fitBin / 8.0;
    double explained = 0.0;
    for (int m = 1; m <= fitted; ++m) {
        const auto low = static_cast<std::uint32_t>(m * fitBin - reachBins);
        const auto high =
            std::min(usedBins_ - 1, static_cast<std::uint32_t>(m * fitBin + reachBins));
        for (std::uint32_t k = low; k <= high; ++k) {
            explained += power_[k];
        }
    }
    const auto low = static_cast<std::uint32_t>(0.5 * fitBin);
    const auto high = std::min(usedBins_ - 1, static_cast<std::uint32_t>((fitted + 0.5) * fitBin));
    double total = 0.0;
    for (std::uint32_t k = low; k <= high; ++k) {
        total += power_[k];
    }
    return {fitBin * binHertz_, total > 0.0 ? explained / total : 0.0};
}

}  // namespace strumwise::pitch
