#include "app/player_setup.h"

#include "tuner/player_settings_store.h"
#include "tuner/tuning_setup.h"

namespace strumwise::app {

std::string setUpPlayer(tuner::TunerState& state, const platform::UserDefaults& defaults,
                        platform::Log& log, const PlayerOptions& options, std::uint64_t& arrowIndex,
                        const std::function<void(const tuner::SettingChange&)>& changed) {
    const tuner::PlayerSettings settings =
        withPlayerOptions(tuner::loadPlayerSettings(defaults, log), options);
    tuner::TuningSetup setup;
    setup.apply(settings);
    TuningChoice choice;
    if (options.tuning) {
        if (std::string error = chooseTuning(*options.tuning, setup, choice); !error.empty()) {
            return error;
        }
    }
    state.setup.apply(settings);
    for (const tuner::SettingChange& change :
         tuner::settingChanges(tuner::PlayerSettings{}, state.setup.settings())) {
        changed(change);
    }
    arrowIndex = choice.arrowIndex;
    if (choice.shown) {
        state.tuningIndex = state.setup.showForThisRun(*choice.shown);
        changed({"tuning", choice.shown->name});
    }
    return {};
}

}  // namespace strumwise::app
