#include "tuner/settings_messages.h"

#include "tuner/player_settings.h"
#include "tuner/tuning_names.h"

namespace strumwise::tuner {

std::string tuningProblemMessage(const TuningProblem& problem, const platform::Bundle& bundle) {
    using Kind = TuningProblem::Kind;
    const auto text = [&](std::string_view key, std::string_view english) {
        return withValue(bundle.localizedString(key, english, ""), problem.detail);
    };
    switch (problem.kind) {
        case Kind::EmptyName:
            return text("TuningProblemEmptyName", "Give the tuning a name.");
        case Kind::DuplicateName:
            return text("TuningProblemDuplicateName",
                        "There is already a tuning called \u201c%1\u201d: choose another name.");
        case Kind::NoteCount:
            return text("TuningProblemNoteCount",
                        "Write five notes, the fifth string first (gDGBD or G4 D3 G3 B3 D4), "
                        "not %1.");
        case Kind::UnknownNote:
            return text("TuningProblemUnknownNote",
                        "\u201c%1\u201d is not a note: write a letter A to G, a sharp (#) or flat "
                        "(b) if it has one, and its octave (G3, C#4, Bb3).");
        case Kind::OutOfRange:
            return text("TuningProblemOutOfRange",
                        "%1 is outside what the tuner hears: every string from C2 to B5.");
    }
    return {};
}

std::string referenceProposalText(int tenths, const platform::Bundle& bundle) {
    return withValue(bundle.localizedString("ReferenceProposal", "A4 = %1 Hz \u2014 keep?", ""),
                     referenceText(tenths));
}

std::string referenceRefusalText(const ReferenceFromNote& result, const platform::Bundle& bundle) {
    if (!result.refusal) {
        return {};
    }
    if (*result.refusal == ReferenceFromNote::Refusal::NoSteadyNote) {
        return bundle.localizedString(
            "ReferenceNoSteadyNote",
            "No steady note is heard: play one note, let it ring, and press again.", "");
    }
    return withValue(bundle.localizedString("ReferenceOutOfRange",
                                            "That note would set A4 = %1 Hz, outside 415.0 to "
                                            "466.0 Hz: nothing was changed.",
                                            ""),
                     referenceText(result.tenths.value_or(0)));
}

}  // namespace strumwise::tuner
