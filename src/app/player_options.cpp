#include "app/player_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/decimal_text.h"
#include "base/printable_text.h"
#include "tuner/tuning_text.h"
#include "tuner/tunings_library.h"

namespace strumwise::app {

const std::string_view kPlayerOptionsUsage =
    "  --reference HZ          the pitch of A4, 415.0 to 466.0 Hz in steps of 0.1\n"
    "                          (default 440.0, or as the settings keep it)\n"
    "  --tuning N|NAME|NOTES   the tuning: the Nth the arrows show (pressing the next arrow),\n"
    "                          one of strumwise tunings by name (\"Open D\"), or five notes\n"
    "                          drone first (gDGBD, \"G4 D3 G3 B3 D4\")\n"
    "  --capo FRET             a capo on strings 1 to 4 at fret 0 to 7\n"
    "  --fifth FRET            the fifth string stopped at its own fret 0 to 7 by a spike or\n"
    "                          its capo (fret 2 lies at the neck's 7th)\n";
const std::string_view kLockOptionUsage =
    "  --string K              read every note against string K (1 to 5), up to an octave\n"
    "                          each way, and light only its lamp\n";

namespace {

std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// A4 in tenths of a hertz: at most one decimal, within the allowed range.
std::optional<int> referenceTenths(std::string_view text) {
    double hertz = 0.0;
    const auto [end, error] = readDecimal(text, hertz);
    const auto point = text.find('.');
    const bool oneDecimal = point == std::string_view::npos || text.size() - point <= 2;
    if (error != std::errc{} || end != text.data() + text.size() || !oneDecimal ||
        !std::isfinite(hertz) || std::abs(hertz) > 1e6) {
        return std::nullopt;
    }
    const auto tenths = static_cast<int>(std::lround(hertz * 10.0));
    return tuner::PlayerSettings::isReference(tenths) ? std::optional(tenths) : std::nullopt;
}

std::string fretError(std::string_view option, std::string_view text) {
    return std::string(option) + " must be a fret from 0 to 7, not '" + shownName(text) + "'";
}

}  // namespace

std::optional<std::string> readPlayerOption(std::string_view name, std::string_view value,
                                            PlayerOptions& options) {
    if (name == "--reference") {
        options.referenceTenths = referenceTenths(value);
        if (!options.referenceTenths) {
            return "--reference must be 415.0 to 466.0 (Hz, one decimal at most), not '" +
                   shownName(value) + "'";
        }
    } else if (name == "--tuning") {
        if (tuner::trimmedName(value).empty()) {
            return std::string("--tuning needs a number, a tuning's name or five notes");
        }
        options.tuning = std::string(value);
    } else if (name == "--capo" || name == "--fifth") {
        const std::optional<int> fret = wholeNumber(value);
        if (!fret || !tuner::PlayerSettings::isFret(*fret)) {
            return fretError(name, value);
        }
        (name == "--capo" ? options.capoFret : options.fifthStringFret) = fret;
    } else if (name == kLockOption.name) {
        const std::optional<int> string = wholeNumber(value);
        if (!string || *string < 1 || *string > tuner::kStringCount) {
            return "--string must be 1 to 5, not '" + shownName(value) + "'";
        }
        options.lockedString = string;
    } else {
        return std::nullopt;
    }
    return std::string();
}

tuner::PlayerSettings withPlayerOptions(tuner::PlayerSettings settings,
                                        const PlayerOptions& options) {
    settings.referenceTenths = options.referenceTenths.value_or(settings.referenceTenths);
    settings.capoFret = options.capoFret.value_or(settings.capoFret);
    settings.fifthStringFret = options.fifthStringFret.value_or(settings.fifthStringFret);
    settings.lockedString = options.lockedString.value_or(settings.lockedString);
    return settings;
}

std::string chooseTuning(std::string_view text, const tuner::TuningSetup& setup,
                         TuningChoice& choice) {
    const std::string_view given = tuner::trimmedName(text);
    if (const std::optional<int> number = wholeNumber(given)) {
        if (!setup.hasTuning(static_cast<std::uint64_t>(std::max(*number, 0)))) {
            return "--tuning N must be 1 to " + std::to_string(setup.tuningCount()) +
                   ", the tunings the arrows show, not '" + shownName(text) + "'";
        }
        choice.arrowIndex = static_cast<std::uint64_t>(*number);
        return {};
    }
    std::optional<tuner::Tuning> wanted;
    if (const tuner::Tuning* custom = setup.settings().customTuning(given)) {
        wanted = *custom;
    } else if (const tuner::Tuning* library = tuner::libraryTuningNamed(given)) {
        wanted = *library;
    } else {
        const tuner::TuningNotes notes = tuner::readTuningNotes(given);
        if (!notes.tuning) {
            if (notes.problem->kind == tuner::TuningProblem::Kind::OutOfRange) {
                return "--tuning: " + tuner::tuningProblemText(*notes.problem);
            }
            return "--tuning: no tuning is called '" + shownName(text) +
                   "' (strumwise tunings lists them), and it is not five notes, drone first, "
                   "such as gDGBD or \"G4 D3 G3 B3 D4\"";
        }
        const tuner::Tuning* known = tuner::libraryTuningWithNotes(notes.tuning->notes);
        wanted = known != nullptr ? *known : *notes.tuning;
        if (known == nullptr) {
            wanted->name = std::string(given);
            wanted->custom = true;
        }
    }
    for (std::uint64_t index = 1; index <= setup.tuningCount(); ++index) {
        const tuner::Tuning& browsed = *setup.tuning(index);
        if (tuner::sameTuningName(browsed.name, wanted->name) || browsed.notes == wanted->notes) {
            choice.arrowIndex = index;
            return {};
        }
    }
    choice.shown = std::move(wanted);
    return {};
}

}  // namespace strumwise::app
