#include "tuner/tuning_setup.h"

#include "tuner/note_names.h"
#include "tuner/tuning_text.h"
#include "tuner/tunings_library.h"

namespace strumwise::tuner {
namespace {

// The note's name as the tuning writes it when it sounds open, else with a sharp.
std::string soundingName(const Tuning& tuning, std::size_t string, int fret) {
    return fret == 0 ? tuning.noteNames[string] : noteName(tuning.notes[string] + fret);
}

}  // namespace

PlayerSettings validSettings(const PlayerSettings& settings,
                             const std::function<void(const std::string&)>& problem) {
    const auto report = [&](const std::string& line) {
        if (problem) {
            problem(line);
        }
    };
    PlayerSettings valid = settings;
    if (!PlayerSettings::isReference(valid.referenceTenths)) {
        report("The reference pitch " + referenceText(valid.referenceTenths) +
               " Hz is outside 415.0 to 466.0 Hz; using 440.0 Hz");
        valid.referenceTenths = PlayerSettings::kDefaultReference;
    }
    if (!PlayerSettings::isFret(valid.capoFret)) {
        report("A capo at fret " + std::to_string(valid.capoFret) + " is beyond fret 7; no capo");
        valid.capoFret = 0;
    }
    if (!PlayerSettings::isFret(valid.fifthStringFret)) {
        report("A fifth string stopped at its fret " + std::to_string(valid.fifthStringFret) +
               " is beyond fret 7; the fifth string sounds open");
        valid.fifthStringFret = 0;
    }
    if (!PlayerSettings::isLock(valid.lockedString)) {
        report("There is no string " + std::to_string(valid.lockedString) +
               " to read against; finding the string by ear");
        valid.lockedString = 0;
    }
    // The player's own tunings: named, in range, and named apart from every other tuning.
    std::vector<Tuning> custom;
    for (const Tuning& tuning : valid.customTunings) {
        bool clash = libraryTuningNamed(tuning.name) != nullptr;
        for (const Tuning& kept : custom) {
            clash = clash || sameTuningName(kept.name, tuning.name);
        }
        bool inRange = true;
        for (const int note : tuning.notes) {
            inRange = inRange && note >= kLowestNote && note <= kHighestNote;
        }
        if (trimmedName(tuning.name).empty() || clash || !inRange) {
            report("The tuning '" + tuning.name + "' is left out: " +
                   (trimmedName(tuning.name).empty() ? "it has no name"
                    : clash                          ? "another tuning has its name"
                                                     : "a string is outside C2 to B5"));
            continue;
        }
        Tuning kept = tuning;
        kept.custom = true;
        kept.specifiedIndex = 0;
        custom.push_back(std::move(kept));
    }
    valid.customTunings = std::move(custom);
    // The browsed tunings in the browser's order: the library's, then the player's own.
    std::vector<std::string> browsed;
    for (const Tuning& tuning : tuningLibrary()) {
        if (settings.browses(tuning.name)) {
            browsed.push_back(tuning.name);
        }
    }
    for (const Tuning& tuning : valid.customTunings) {
        if (settings.browses(tuning.name)) {
            browsed.push_back(tuning.name);
        }
    }
    // A name that no longer names a tuning (one of the player's own that was removed) is simply
    // no longer shown; only a list left with nothing to show is worth a line.
    if (browsed.empty()) {
        report("None of the tunings to show is known; showing the four first tunings");
        browsed = PlayerSettings::defaultBrowsedTunings();
    }
    valid.browsedTunings = std::move(browsed);
    return valid;
}

void TuningSetup::apply(const PlayerSettings& settings) {
    settings_ = validSettings(settings);
    tunings_.clear();
    targets_.clear();
    for (const Tuning& tuning : tuningLibrary()) {
        if (settings_.browses(tuning.name)) {
            addTuning(tuning);
        }
    }
    for (const Tuning& tuning : settings_.customTunings) {
        if (settings_.browses(tuning.name)) {
            addTuning(tuning);
        }
    }
    for (const Tuning& tuning : runOnly_) {
        if (!indexOf(tuning.name)) {
            addTuning(tuning);
        }
    }
}

std::uint64_t TuningSetup::showForThisRun(const Tuning& tuning) {
    for (std::uint64_t index = 1; index <= tunings_.size(); ++index) {
        const Tuning& shown = tunings_[static_cast<std::size_t>(index - 1)];
        if (sameTuningName(shown.name, tuning.name) || shown.notes == tuning.notes) {
            return index;
        }
    }
    runOnly_.push_back(tuning);
    addTuning(tuning);
    return tunings_.size();
}

void TuningSetup::addTuning(const Tuning& tuning) {
    std::array<StringTarget, kStringCount> targets;
    for (std::size_t i = 0; i < kStringCount; ++i) {
        const int fret = i + 1 == kStringCount ? settings_.fifthStringFret : settings_.capoFret;
        targets[i] = stringTarget(tuning.notes[i] + fret, soundingName(tuning, i, fret),
                                  settings_.referenceTenths);
    }
    tunings_.push_back(tuning);
    targets_.push_back(std::move(targets));
}

const Tuning* TuningSetup::tuning(std::uint64_t index) const {
    return hasTuning(index) ? &tunings_[static_cast<std::size_t>(index - 1)] : nullptr;
}

std::optional<std::uint64_t> TuningSetup::indexOf(std::string_view name) const {
    for (std::uint64_t index = 1; index <= tunings_.size(); ++index) {
        if (sameTuningName(tunings_[static_cast<std::size_t>(index - 1)].name, name)) {
            return index;
        }
    }
    return std::nullopt;
}

const StringTarget* TuningSetup::target(std::uint64_t index, std::int64_t string) const {
    if (!hasTuning(index) || string < 1 || string > kStringCount) {
        return nullptr;
    }
    return &targets_[static_cast<std::size_t>(index - 1)][static_cast<std::size_t>(string - 1)];
}

std::optional<int> TuningSetup::match(std::uint64_t index, double hertz) const {
    if (!hasTuning(index)) {
        return std::nullopt;
    }
    for (int string = 1; string <= kStringCount; ++string) {
        if (settings_.lockedString != 0 && string != settings_.lockedString) {
            continue;
        }
        if (target(index, string)->holds(hertz)) {
            return string;
        }
    }
    return std::nullopt;
}

}  // namespace strumwise::tuner
