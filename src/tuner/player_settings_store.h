#pragma once

#include "platform/log.h"
#include "platform/user_defaults.h"
#include "tuner/player_settings.h"

namespace strumwise::tuner {

// Reads the player's settings from the user defaults. An absent key reads as its default; a
// value that cannot be read, or is out of range, reads as its default too, with one line in the
// log saying so, so that a damaged file never stops the tuner.
PlayerSettings loadPlayerSettings(const platform::UserDefaults& defaults, platform::Log& log);

// Writes the settings that differ between `before` and `after`, and nothing else, so that a
// setting given for one run only (on the command line) is not stored by a change of another.
void storePlayerSettings(platform::UserDefaults& defaults, const PlayerSettings& before,
                         const PlayerSettings& after);

}  // namespace strumwise::tuner
