#include "tuner/custom_tunings.h"

#include <algorithm>
#include <string>

#include "tuner/tuning_setup.h"
#include "tuner/tunings_library.h"

namespace strumwise::tuner {
namespace {

// The name as it is kept: on one line, without spaces around it.
std::string cleanName(std::string_view name) {
    std::string text(name);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    return std::string(trimmedName(text));
}

// The tuning, or why it cannot be one; `keeping` is the name of the tuning being changed, which
// its new name may repeat.
SettingsEdit checked(const PlayerSettings& settings, const std::string& name,
                     std::string_view notes, std::string_view keeping, Tuning& tuning) {
    if (name.empty()) {
        return {settings, TuningProblem{TuningProblem::Kind::EmptyName, {}}};
    }
    const bool takenByOther =
        settings.customTuning(name) != nullptr && !sameTuningName(name, keeping);
    if (libraryTuningNamed(name) != nullptr || takenByOther) {
        return {settings, TuningProblem{TuningProblem::Kind::DuplicateName, name}};
    }
    TuningNotes read = readTuningNotes(notes);
    if (!read.tuning) {
        return {settings, read.problem};
    }
    tuning = std::move(*read.tuning);
    tuning.name = name;
    tuning.custom = true;
    return {settings, std::nullopt};
}

}  // namespace

SettingsEdit addCustomTuning(const PlayerSettings& settings, std::string_view name,
                             std::string_view notes) {
    Tuning tuning;
    SettingsEdit edit = checked(settings, cleanName(name), notes, {}, tuning);
    if (edit.problem) {
        return edit;
    }
    edit.settings.browsedTunings.push_back(tuning.name);
    edit.settings.customTunings.push_back(std::move(tuning));
    edit.settings = validSettings(edit.settings);
    return edit;
}

SettingsEdit changeCustomTuning(const PlayerSettings& settings, std::string_view oldName,
                                std::string_view newName, std::string_view notes) {
    if (settings.customTuning(oldName) == nullptr) {
        return {settings, std::nullopt};
    }
    Tuning tuning;
    SettingsEdit edit = checked(settings, cleanName(newName), notes, oldName, tuning);
    if (edit.problem) {
        return edit;
    }
    for (Tuning& kept : edit.settings.customTunings) {
        if (sameTuningName(kept.name, oldName)) {
            kept = tuning;
        }
    }
    for (std::string& browsed : edit.settings.browsedTunings) {
        if (sameTuningName(browsed, oldName)) {
            browsed = tuning.name;
        }
    }
    edit.settings = validSettings(edit.settings);
    return edit;
}

PlayerSettings removeCustomTuning(const PlayerSettings& settings, std::string_view name) {
    PlayerSettings after = settings;
    std::erase_if(after.customTunings,
                  [&](const Tuning& tuning) { return sameTuningName(tuning.name, name); });
    std::erase_if(after.browsedTunings,
                  [&](const std::string& browsed) { return sameTuningName(browsed, name); });
    return validSettings(after);
}

}  // namespace strumwise::tuner
