#include "tuner/reading_trend.h"

#include <cmath>
#include <cstddef>

namespace strumwise::tuner {
namespace {

using Kind = platform::ReadingTrend::Kind;

// The part of the run its movement is read over: the last second.
constexpr double kTrendSeconds = 1.0;

// The slope of the offset against time by least squares, in cents a second; one noisy tick moves
// it far less than it moves the difference between the run's two ends.
double slopeOf(std::span<const platform::ReadingSample> run) {
    double meanT = 0.0;
    double meanC = 0.0;
    for (const auto& sample : run) {
        meanT += sample.seconds;
        meanC += sample.cents;
    }
    meanT /= static_cast<double>(run.size());
    meanC /= static_cast<double>(run.size());
    double covariance = 0.0;
    double variance = 0.0;
    for (const auto& sample : run) {
        covariance += (sample.seconds - meanT) * (sample.cents - meanC);
        variance += (sample.seconds - meanT) * (sample.seconds - meanT);
    }
    return variance > 0.0 ? covariance / variance : 0.0;
}

}  // namespace

platform::ReadingTrend readingTrend(std::span<const platform::ReadingSample> samples,
                                    std::string_view note) {
    platform::ReadingTrend trend;
    if (samples.empty() || samples.back().string == 0) {
        return trend;
    }
    const platform::ReadingSample& newest = samples.back();
    trend.note = note;
    trend.cents = static_cast<int>(std::lround(newest.cents));

    // The newest run of one string within the last second.
    std::size_t first = samples.size() - 1;
    while (first > 0 && samples[first - 1].string == newest.string &&
           newest.seconds - samples[first - 1].seconds <= kTrendSeconds + 1e-9) {
        --first;
    }
    const auto run = samples.subspan(first);
    const double span = run.back().seconds - run.front().seconds;
    const bool inZone = newest.cents >= newest.zoneLow && newest.cents <= newest.zoneHigh;
    const double moved = span + 1e-9 >= kRunSeconds ? slopeOf(run) * span : 0.0;
    if (trend.cents == 0 || std::abs(moved) < kMovingCents) {
        trend.kind = inZone || trend.cents == 0 ? Kind::InTune : Kind::Steady;
    } else {
        // Towards the note the offset shrinks: it moves against its own sign.
        const bool towards = (moved < 0.0) == (newest.cents > 0.0);
        trend.kind = towards ? Kind::Settling : Kind::Drifting;
    }
    return trend;
}

}  // namespace strumwise::tuner
