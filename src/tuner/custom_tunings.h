#pragma once

#include <optional>
#include <string_view>

#include "tuner/player_settings.h"
#include "tuner/tuning_text.h"

namespace strumwise::tuner {

// The player's own tunings, made, renamed, changed and removed. Each change answers the new
// settings, or the problem with what the player wrote and the settings as they were.
struct SettingsEdit {
    PlayerSettings settings;
    std::optional<TuningProblem> problem;
};

// A new tuning called `name` (spaces around it dropped) with `notes` written as
// readTuningNotes reads them; the browser shows it from then on. Refused when the name is empty
// or another tuning, the library's included, has it, or when the notes cannot be read or leave
// C2 to B5.
SettingsEdit addCustomTuning(const PlayerSettings& settings, std::string_view name,
                             std::string_view notes);

// The tuning called `oldName` renamed to `newName` and tuned to `notes`, as addCustomTuning
// checks them; it keeps its place and whether the browser shows it. Nothing happens to a name
// that is no tuning of the player's own.
SettingsEdit changeCustomTuning(const PlayerSettings& settings, std::string_view oldName,
                                std::string_view newName, std::string_view notes);

// The settings without the player's tuning called `name`; when it was the only tuning the
// browser showed, the browser shows the four first tunings again.
PlayerSettings removeCustomTuning(const PlayerSettings& settings, std::string_view name);

}  // namespace strumwise::tuner
