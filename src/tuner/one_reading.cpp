#include "tuner/one_reading.h"

#include <cmath>

#include "pitch/mic_listener.h"
#include "pitch/pitch_estimator.h"
#include "tuner/frequency_text.h"

namespace strumwise::tuner {
namespace {

// Half a bin of the estimate's transform: how far its bin's frequency lies from the pitch at
// most, plus the twentieth of a hertz its label rounds away.
constexpr double kEstimateRoundingHz =
    0.5 * pitch::MicListener::kSampleRate / pitch::PitchEstimator::kTransformSize + 0.05;
// What two measurements of one pitch may differ by beyond that.
constexpr double kReadingSpreadCents = 2.0;

double centsBetween(double hertz, double reference) {
    return 1200.0 * std::log2(hertz / reference);
}

// How far from `hertz` (in cents) a pitch lies that the estimate could still round to it.
double roundingCents(double hertz) {
    return centsBetween(hertz + kEstimateRoundingHz, hertz) + kReadingSpreadCents;
}

}  // namespace

std::optional<int> stringToLight(const TuningSetup& setup, std::uint64_t tuning,
                                 double estimateHertz, const pitch::NoteReading& reading,
                                 double shownHertz) {
    const std::optional<int> estimated = setup.match(tuning, estimateHertz);
    if (reading.noNote() || (!reading.note() && reading.noiseLately)) {
        return std::nullopt;
    }
    if (!(shownHertz > 0.0)) {
        return estimated;
    }
    if (const std::optional<int> shown = setup.match(tuning, shownHertz)) {
        return shown;
    }
    if (!estimated) {
        return std::nullopt;
    }
    const StringTarget& target = *setup.target(tuning, *estimated);
    const double beyond = shownHertz > target.windowHigh
                              ? centsBetween(shownHertz, target.windowHigh)
                              : centsBetween(target.windowLow, shownHertz);
    return beyond <= roundingCents(shownHertz) ? estimated : std::nullopt;
}

double labelHertz(double estimateHertz, double shownHertz) {
    if (!(shownHertz > 0.0)) {
        return estimateHertz;
    }
    // It is the label's text, rounded to a tenth of a hertz, that the player holds against the
    // meter: an estimate just inside the allowance can round to a label just outside it.
    const double apart = std::abs(centsBetween(frequencyAsShown(estimateHertz), shownHertz));
    return apart > roundingCents(shownHertz) ? shownHertz : estimateHertz;
}

}  // namespace strumwise::tuner
