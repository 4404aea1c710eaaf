#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "platform/user_defaults.h"
#include "tuner/player_settings.h"
#include "tuner/tuner_state.h"
#include "tuner/tuning_text.h"

namespace strumwise::tuner {

// The player's settings changed while the tuner runs, from a settings page or a touch on a
// string's caption. Each change is checked, put to work at once (the browser keeps showing the
// tuning it showed wherever that tuning is still browsed) and stored with the user defaults,
// only what changed, so that a setting given for one run on the command line is not kept by the
// change of another. A change that changes nothing stores and tells nothing. Main thread only.
class PlayerSettingsEditor {
  public:
    PlayerSettingsEditor(TunerState& state, platform::UserDefaults& defaults)
        : state_(state), defaults_(defaults) {}

    const PlayerSettings& settings() const { return state_.setup.settings(); }

    // Told after each change that took effect, with the settings as they were before it.
    void setChangedHandler(std::function<void(const PlayerSettings& before)> handler) {
        changed_ = std::move(handler);
    }

    // A value out of range is refused: nothing changes, and the answer is false.
    bool setReference(int tenths);
    bool setCapoFret(int fret);
    bool setFifthStringFret(int fret);
    bool setLockedString(int string);
    // A touch on string k's caption: locks the tuner to string k, or, when it is locked to k
    // already, lets it find the string by ear again.
    void toggleLockedString(int string);

    // Whether the browser steps through the tuning called `name`. The browser always keeps one
    // tuning: taking the last one away is refused (false), as is a name that names no tuning.
    bool setBrowsed(std::string_view name, bool browsed);

    // The player's own tunings, as custom_tunings.h makes, renames, changes and removes them:
    // the problem when refused, and then nothing changes.
    std::optional<TuningProblem> addCustomTuning(std::string_view name, std::string_view notes);
    std::optional<TuningProblem> changeCustomTuning(std::string_view oldName,
                                                    std::string_view newName,
                                                    std::string_view notes);
    void removeCustomTuning(std::string_view name);

  private:
    // Puts `next` to work; `renamed` is the old and new name of a tuning renamed by the change,
    // which the browser follows when it shows it.
    void apply(const PlayerSettings& next,
               std::optional<std::pair<std::string, std::string>> renamed = std::nullopt);

    TunerState& state_;
    platform::UserDefaults& defaults_;
    std::function<void(const PlayerSettings& before)> changed_;
};

}  // namespace strumwise::tuner
