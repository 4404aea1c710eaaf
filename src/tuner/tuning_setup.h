#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tuner/player_settings.h"
#include "tuner/string_target.h"
#include "tuner/tuning.h"

namespace strumwise::tuner {

// The player's settings worked out for the tuner: the tunings the browser steps through, in its
// order (numbered 1..tuningCount() like the tuning index), and for each the target of every
// string as it sounds with the reference pitch, the capo and the spike. The tick, the meter, the
// browser and the fork buttons ask it rather than the fixed table, so that with the default
// settings they show exactly what the table says. Main thread only.
class TuningSetup {
  public:
    TuningSetup() { apply(PlayerSettings{}); }

    // Takes new settings. Invalid values (a reference, fret or lock out of range, a browsed name
    // that names no tuning, no browsed tuning at all) are replaced by their defaults.
    void apply(const PlayerSettings& settings);
    const PlayerSettings& settings() const { return settings_; }

    // Adds a tuning to the browser for this run only, after the others, unless the browser
    // already shows one of that name or those notes; answers its number in the browser.
    std::uint64_t showForThisRun(const Tuning& tuning);

    std::uint64_t tuningCount() const { return tunings_.size(); }
    bool hasTuning(std::uint64_t index) const { return index >= 1 && index <= tunings_.size(); }
    // The tuning of browser number `index`; nullptr outside 1..tuningCount().
    const Tuning* tuning(std::uint64_t index) const;
    // Browser number of the tuning called `name`; nullopt when the browser does not show it.
    std::optional<std::uint64_t> indexOf(std::string_view name) const;
    // The target of string 1..5 in tuning `index`; nullptr for any other number.
    const StringTarget* target(std::uint64_t index, std::int64_t string) const;

    // The string whose window holds `hertz`: the first in string order 1..5, or, with a string
    // locked, that string alone. nullopt when none does or `index` names no tuning.
    std::optional<int> match(std::uint64_t index, double hertz) const;

    int lockedString() const { return settings_.lockedString; }
    double referenceHertz() const { return settings_.referenceHertz(); }
    // Whether strings sound other than open: a capo or a spike is on.
    bool transposed() const { return settings_.capoFret != 0 || settings_.fifthStringFret != 0; }

  private:
    void addTuning(const Tuning& tuning);

    PlayerSettings settings_;
    std::vector<Tuning> tunings_;
    std::vector<std::array<StringTarget, kStringCount>> targets_;
    std::vector<Tuning> runOnly_;
};

// The settings made valid as TuningSetup::apply makes them, the browsed tunings in the browser's
// order; the one log line per value replaced is handed to `problem` when it is given.
PlayerSettings validSettings(const PlayerSettings& settings,
                             const std::function<void(const std::string&)>& problem = {});

}  // namespace strumwise::tuner
