#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "app/player_options.h"
#include "platform/log.h"
#include "platform/user_defaults.h"
#include "tuner/player_settings.h"
#include "tuner/tuner_state.h"

namespace strumwise::app {

// How a run starts out for the player, before its screen loads: the settings the user defaults
// keep (a damaged value said once in `log` and replaced by its default), the run's options on
// top, and the tuning --tuning chose. Each setting that differs from the default, and a tuning
// shown that the browser did not have, is handed to `changed`, in that order; with nothing
// set, nothing is. `arrowIndex` receives the browser number to step to by the next arrow (1:
// stay). Answers the one line that says why --tuning fits no tuning, and then changes nothing.
std::string setUpPlayer(tuner::TunerState& state, const platform::UserDefaults& defaults,
                        platform::Log& log, const PlayerOptions& options, std::uint64_t& arrowIndex,
                        const std::function<void(const tuner::SettingChange&)>& changed);

}  // namespace strumwise::app
