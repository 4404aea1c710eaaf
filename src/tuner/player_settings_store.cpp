#include "tuner/player_settings_store.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "base/decimal_text.h"
#include "base/settings_keys.h"
#include "tuner/tuning_setup.h"
#include "tuner/tuning_text.h"

namespace strumwise::tuner {
namespace {

std::vector<std::string_view> lines(std::string_view text) {
    std::vector<std::string_view> found;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        if (!trimmedName(text.substr(0, end)).empty()) {
            found.push_back(text.substr(0, end));
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return found;
}

std::string joinedLines(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += text.empty() ? "" : "\n";
        text += item;
    }
    return text;
}

std::optional<int> readTenths(std::string_view text) {
    double hertz = 0.0;
    const auto [end, error] = readDecimal(text, hertz);
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(hertz) ||
        std::abs(hertz) > 1e6) {
        return std::nullopt;
    }
    return static_cast<int>(std::lround(hertz * 10.0));
}

std::optional<int> readWhole(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// The player's own tunings, "name=notes" one to a line; a line that cannot be read is left out
// and said in the log.
std::vector<Tuning> readCustomTunings(std::string_view text, platform::Log& log) {
    std::vector<Tuning> tunings;
    for (const std::string_view line : lines(text)) {
        const std::size_t equals = line.rfind('=');
        const TuningNotes notes = equals == std::string_view::npos
                                      ? TuningNotes{}
                                      : readTuningNotes(line.substr(equals + 1));
        if (!notes.tuning) {
            log.write("A stored tuning of the player's own cannot be read and is left out: '" +
                      std::string(line) + "'");
            continue;
        }
        Tuning tuning = *notes.tuning;
        tuning.name = std::string(trimmedName(line.substr(0, equals)));
        tuning.custom = true;
        tunings.push_back(std::move(tuning));
    }
    return tunings;
}

std::string customTuningsText(const std::vector<Tuning>& tunings) {
    std::vector<std::string> items;
    for (const Tuning& tuning : tunings) {
        items.push_back(tuning.name + "=" + tuningNotesText(tuning));
    }
    return joinedLines(items);
}

// Reads one number-valued key into `value`, leaving the default when it is absent or cannot be
// read (then saying so in the log).
void readNumber(const platform::UserDefaults& defaults, std::string_view key,
                std::optional<int> (*read)(std::string_view), int& value, platform::Log& log) {
    const std::optional<std::string> stored = defaults.stringForKey(key);
    if (!stored) {
        return;
    }
    if (const std::optional<int> number = read(*stored)) {
        value = *number;
    } else {
        log.write("The stored " + std::string(key) + " '" + *stored +
                  "' cannot be read; using the default");
    }
}

}  // namespace

PlayerSettings loadPlayerSettings(const platform::UserDefaults& defaults, platform::Log& log) {
    PlayerSettings settings;
    readNumber(defaults, settings::kReferencePitchKey, &readTenths, settings.referenceTenths, log);
    readNumber(defaults, settings::kCapoFretKey, &readWhole, settings.capoFret, log);
    readNumber(defaults, settings::kFifthStringFretKey, &readWhole, settings.fifthStringFret, log);
    readNumber(defaults, settings::kLockedStringKey, &readWhole, settings.lockedString, log);
    if (const auto stored = defaults.stringForKey(settings::kCustomTuningsKey)) {
        settings.customTunings = readCustomTunings(*stored, log);
    }
    if (const auto stored = defaults.stringForKey(settings::kBrowsedTuningsKey)) {
        settings.browsedTunings.clear();
        for (const std::string_view name : lines(*stored)) {
            settings.browsedTunings.emplace_back(trimmedName(name));
        }
    }
    return validSettings(settings, [&log](const std::string& line) { log.write(line); });
}

void storePlayerSettings(platform::UserDefaults& defaults, const PlayerSettings& before,
                         const PlayerSettings& after) {
    if (before.referenceTenths != after.referenceTenths) {
        defaults.setString(referenceText(after.referenceTenths), settings::kReferencePitchKey);
    }
    if (before.browsedTunings != after.browsedTunings) {
        defaults.setString(joinedLines(after.browsedTunings), settings::kBrowsedTuningsKey);
    }
    if (before.customTunings != after.customTunings) {
        defaults.setString(customTuningsText(after.customTunings), settings::kCustomTuningsKey);
    }
    if (before.capoFret != after.capoFret) {
        defaults.setString(std::to_string(after.capoFret), settings::kCapoFretKey);
    }
    if (before.fifthStringFret != after.fifthStringFret) {
        defaults.setString(std::to_string(after.fifthStringFret), settings::kFifthStringFretKey);
    }
    if (before.lockedString != after.lockedString) {
        defaults.setString(std::to_string(after.lockedString), settings::kLockedStringKey);
    }
}

}  // namespace strumwise::tuner
