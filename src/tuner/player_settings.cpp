#include "tuner/player_settings.h"

#include "base/decimal_text.h"
#include "tuner/tuning_text.h"
#include "tuner/tunings_library.h"

namespace strumwise::tuner {
namespace {

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += text.empty() ? "" : ", ";
        text += item;
    }
    return text;
}

std::string customTuningsText(const std::vector<Tuning>& tunings) {
    std::vector<std::string> items;
    for (const Tuning& tuning : tunings) {
        items.push_back(tuning.name + ": " + tuningNotesText(tuning));
    }
    return joined(items);
}

}  // namespace

std::vector<std::string> PlayerSettings::defaultBrowsedTunings() {
    std::vector<std::string> names;
    for (const std::string_view name : specifiedTuningNames()) {
        names.emplace_back(name);
    }
    return names;
}

bool PlayerSettings::browses(std::string_view name) const {
    for (const std::string& browsed : browsedTunings) {
        if (sameTuningName(browsed, name)) {
            return true;
        }
    }
    return false;
}

const Tuning* PlayerSettings::customTuning(std::string_view name) const {
    for (const Tuning& tuning : customTunings) {
        if (sameTuningName(tuning.name, name)) {
            return &tuning;
        }
    }
    return nullptr;
}

std::string referenceText(int tenths) {
    return fixedDecimalText(tenths / 10.0, 1);
}

std::vector<SettingChange> settingChanges(const PlayerSettings& before,
                                          const PlayerSettings& after) {
    std::vector<SettingChange> changes;
    if (before.referenceTenths != after.referenceTenths) {
        changes.push_back({"reference", referenceText(after.referenceTenths)});
    }
    if (before.browsedTunings != after.browsedTunings) {
        changes.push_back({"tunings", joined(after.browsedTunings)});
    }
    if (before.customTunings != after.customTunings) {
        changes.push_back({"custom", customTuningsText(after.customTunings)});
    }
    if (before.capoFret != after.capoFret) {
        changes.push_back({"capo", std::to_string(after.capoFret)});
    }
    if (before.fifthStringFret != after.fifthStringFret) {
        changes.push_back({"fifth", std::to_string(after.fifthStringFret)});
    }
    if (before.lockedString != after.lockedString) {
        changes.push_back(
            {"string", after.lockedString == 0 ? "auto" : std::to_string(after.lockedString)});
    }
    return changes;
}

}  // namespace strumwise::tuner
