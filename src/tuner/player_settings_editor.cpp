#include "tuner/player_settings_editor.h"

#include <string>

#include "tuner/custom_tunings.h"
#include "tuner/player_settings_store.h"
#include "tuner/tunings_library.h"

namespace strumwise::tuner {

bool PlayerSettingsEditor::setReference(int tenths) {
    if (!PlayerSettings::isReference(tenths)) {
        return false;
    }
    PlayerSettings next = settings();
    next.referenceTenths = tenths;
    apply(next);
    return true;
}

bool PlayerSettingsEditor::setCapoFret(int fret) {
    if (!PlayerSettings::isFret(fret)) {
        return false;
    }
    PlayerSettings next = settings();
    next.capoFret = fret;
    apply(next);
    return true;
}

bool PlayerSettingsEditor::setFifthStringFret(int fret) {
    if (!PlayerSettings::isFret(fret)) {
        return false;
    }
    PlayerSettings next = settings();
    next.fifthStringFret = fret;
    apply(next);
    return true;
}

bool PlayerSettingsEditor::setLockedString(int string) {
    if (!PlayerSettings::isLock(string)) {
        return false;
    }
    PlayerSettings next = settings();
    next.lockedString = string;
    apply(next);
    return true;
}

void PlayerSettingsEditor::toggleLockedString(int string) {
    if (string >= 1 && string <= kStringCount) {
        setLockedString(settings().lockedString == string ? 0 : string);
    }
}

bool PlayerSettingsEditor::setBrowsed(std::string_view name, bool browsed) {
    const PlayerSettings& now = settings();
    if (libraryTuningNamed(name) == nullptr && now.customTuning(name) == nullptr) {
        return false;
    }
    PlayerSettings next = now;
    if (browsed) {
        if (!now.browses(name)) {
            next.browsedTunings.emplace_back(name);
        }
    } else {
        std::erase_if(next.browsedTunings,
                      [&](const std::string& shown) { return sameTuningName(shown, name); });
        if (next.browsedTunings.empty()) {
            return false;
        }
    }
    apply(next);
    return true;
}

std::optional<TuningProblem> PlayerSettingsEditor::addCustomTuning(std::string_view name,
                                                                   std::string_view notes) {
    const SettingsEdit edit = tuner::addCustomTuning(settings(), name, notes);
    if (!edit.problem) {
        apply(edit.settings);
    }
    return edit.problem;
}

std::optional<TuningProblem> PlayerSettingsEditor::changeCustomTuning(std::string_view oldName,
                                                                      std::string_view newName,
                                                                      std::string_view notes) {
    const SettingsEdit edit = tuner::changeCustomTuning(settings(), oldName, newName, notes);
    if (edit.problem) {
        return edit.problem;
    }
    // The tuning keeps its place among the player's own, under the name as it was kept.
    std::optional<std::pair<std::string, std::string>> renamed;
    const std::vector<Tuning>& was = settings().customTunings;
    for (std::size_t i = 0; i < was.size() && i < edit.settings.customTunings.size(); ++i) {
        if (sameTuningName(was[i].name, oldName)) {
            renamed = std::pair(was[i].name, edit.settings.customTunings[i].name);
        }
    }
    apply(edit.settings, renamed);
    return edit.problem;
}

void PlayerSettingsEditor::removeCustomTuning(std::string_view name) {
    apply(tuner::removeCustomTuning(settings(), name));
}

void PlayerSettingsEditor::apply(const PlayerSettings& next,
                                 std::optional<std::pair<std::string, std::string>> renamed) {
    const PlayerSettings before = settings();
    const Tuning* shown = state_.setup.tuning(state_.tuningIndex);
    std::string shownName = shown != nullptr ? shown->name : std::string();
    if (renamed && sameTuningName(shownName, renamed->first)) {
        shownName = renamed->second;
    }
    state_.setup.apply(next);
    const PlayerSettings& after = settings();
    if (after == before) {
        return;
    }
    // The browser stays on the tuning it showed; when that one is no longer browsed, it shows
    // the nearest that is, so the arrows still reach every tuning.
    if (const auto index = state_.setup.indexOf(shownName)) {
        state_.tuningIndex = *index;
    } else if (!state_.setup.hasTuning(state_.tuningIndex)) {
        state_.tuningIndex = state_.setup.tuningCount();
    }
    storePlayerSettings(defaults_, before, after);
    if (changed_) {
        changed_(before);
    }
}

}  // namespace strumwise::tuner
