#include "tuner/string_target.h"

#include <cmath>

#include "base/decimal_text.h"
#include "tuner/note_names.h"
#include "tuner/player_settings.h"
#include "tuner/tuning_table.h"

namespace strumwise::tuner {
namespace {

constexpr double kWindowCents = 5.0;

double roundedToMillihertz(double hertz) {
    return std::round(hertz * 1000.0) / 1000.0;
}

// The table's entry for a note, when it is one of its ten.
const Note* tableNote(std::string_view name) {
    for (std::uint64_t tuning = 1; tuning <= kTuningCount; ++tuning) {
        for (int string = 1; string <= kStringCount; ++string) {
            const Note* note = noteOf(tuning, string);
            if (note->name == name) {
                return note;
            }
        }
    }
    return nullptr;
}

}  // namespace

double StringTarget::pitch() const {
    return std::sqrt(windowLow * windowHigh);
}

std::string targetLabel(double hertz) {
    std::string text = fixedDecimalText(hertz, 1);
    if (text.ends_with(".0")) {
        text.resize(text.size() - 2);
    }
    return text + "Hz";
}

StringTarget stringTarget(int note, std::string noteName, int referenceTenths) {
    StringTarget target;
    target.note = note;
    // The table names its notes with sharps, as noteName does; a flat keeps its own spelling.
    const Note* fixed = tableNote(tuner::noteName(note));
    if (fixed != nullptr) {
        target.windowLow = fixed->windowLow;
        target.windowHigh = fixed->windowHigh;
    } else {
        const double hertz = equalTemperedHertz(note, 440.0);
        target.windowLow = roundedToMillihertz(hertz * std::pow(2.0, -kWindowCents / 1200.0));
        target.windowHigh = roundedToMillihertz(hertz * std::pow(2.0, kWindowCents / 1200.0));
    }
    target.noteName = std::move(noteName);
    if (referenceTenths == PlayerSettings::kDefaultReference && fixed != nullptr) {
        target.label = fixed->referenceLabel;
        target.toneHertz = fixed->referenceFrequency;
        return target;
    }
    const double reference = referenceTenths / 10.0;
    const double ratio = reference / 440.0;
    target.windowLow *= ratio;
    target.windowHigh *= ratio;
    const double hertz = equalTemperedHertz(note, reference);
    target.label = targetLabel(hertz);
    target.toneHertz = static_cast<float>(hertz);
    return target;
}

}  // namespace strumwise::tuner
