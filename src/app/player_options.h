#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/command_line.h"
#include "tuner/player_settings.h"
#include "tuner/tuning.h"
#include "tuner/tuning_setup.h"

namespace strumwise::app {

// The player's settings as the commands that tune take them for one run, over what the user
// defaults keep: --reference HZ, --tuning N|NAME|NOTES, --capo FRET, --fifth FRET and, except
// for `tone`, whose --string picks the string to play, --string K.
struct PlayerOptions {
    std::optional<int> referenceTenths;
    std::optional<std::string> tuning;  // as given
    std::optional<int> capoFret;
    std::optional<int> fifthStringFret;
    std::optional<int> lockedString;
};

inline constexpr AcceptedOption kPlayerOptions[] = {
    {"--reference", true}, {"--tuning", true}, {"--capo", true}, {"--fifth", true}};
inline constexpr AcceptedOption kLockOption{"--string", true};

// The options' lines of a command's usage text.
extern const std::string_view kPlayerOptionsUsage;
extern const std::string_view kLockOptionUsage;

// Reads one given option into `options`. nullopt when `name` is none of the player's options;
// else the one line that says what is wrong with its value, empty when it is good.
std::optional<std::string> readPlayerOption(std::string_view name, std::string_view value,
                                            PlayerOptions& options);

// The stored settings with the run's options on top.
tuner::PlayerSettings withPlayerOptions(tuner::PlayerSettings settings,
                                        const PlayerOptions& options);

// The tuning --tuning asks for, with the browser as `setup` has it: a number N is the Nth the
// arrows show; a name is one of the library's (strumwise tunings lists them) or of the player's
// own; anything else is read as five notes, drone first, and stands for the tuning of those
// notes, the library's when it has one. A tuning the browser shows is reached by pressing the
// next arrow as a player would (`arrowIndex`); any other is `shown`, for the run to add to the
// browser. Answers the one line that says why none fits, or nothing.
struct TuningChoice {
    std::uint64_t arrowIndex = 1;
    std::optional<tuner::Tuning> shown;
};
std::string chooseTuning(std::string_view text, const tuner::TuningSetup& setup,
                         TuningChoice& choice);

}  // namespace strumwise::app
