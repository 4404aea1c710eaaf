#include "tuner/reference_from_note.h"

#include <cmath>

#include "tuner/player_settings.h"

namespace strumwise::tuner {

ReferenceFromNote referenceFromNote(bool loud, bool steady, double hertz, int currentTenths) {
    using Refusal = ReferenceFromNote::Refusal;
    if (!loud || !steady || !(hertz > 0.0) || !std::isfinite(hertz)) {
        return {std::nullopt, Refusal::NoSteadyNote};
    }
    const double current = currentTenths / 10.0;
    const long nearest = std::lround(12.0 * std::log2(hertz / current));
    // The note sits `nearest` semitones from A4, so A4 lies as far below the heard pitch.
    const double a4 = hertz * std::pow(2.0, -static_cast<double>(nearest) / 12.0);
    const auto tenths = static_cast<int>(std::lround(a4 * 10.0));
    if (!PlayerSettings::isReference(tenths)) {
        return {tenths, Refusal::OutOfRange};
    }
    return {tenths, std::nullopt};
}

}  // namespace strumwise::tuner
