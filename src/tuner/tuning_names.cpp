#include "tuner/tuning_names.h"

#include <array>
#include <string_view>

#include "tuner/tuning_text.h"

namespace strumwise::tuner {
namespace {

// The first tuning's title key carries no digit.
constexpr std::array<std::string_view, kTuningCount> kTitleKeys{
    "TuningFreeTitle", "TuningFreeTitle2", "TuningFreeTitle3", "TuningFreeTitle4"};

}  // namespace

std::string withValue(std::string text, std::string_view value) {
    for (const std::string_view placeholder : {"%1", "%d"}) {
        if (const auto at = text.find(placeholder); at != std::string::npos) {
            text.replace(at, placeholder.size(), value);
            break;
        }
    }
    return text;
}

std::string localizedTuningTitle(const Tuning& tuning, const platform::Bundle& bundle) {
    if (isValidTuning(tuning.specifiedIndex)) {
        return bundle.localizedString(
            kTitleKeys[static_cast<std::size_t>(tuning.specifiedIndex - 1)], "", "");
    }
    if (tuning.custom) {
        return tuning.name;
    }
    // The library's names are their own keys, so that a translation can rename them.
    return tuningTitle(bundle.localizedString(tuning.name, "", ""), tuning.spelling);
}

std::string transposedSuffix(const PlayerSettings& settings, const platform::Bundle& bundle) {
    std::string text;
    if (settings.capoFret != 0) {
        text += withValue(bundle.localizedString("TuningCapoSuffix", ", capo %d", ""),
                          std::to_string(settings.capoFret));
    }
    if (settings.fifthStringFret != 0) {
        text += withValue(bundle.localizedString("TuningFifthStringSuffix", ", 5th at %d", ""),
                          std::to_string(neckFretOfFifthString(settings.fifthStringFret)));
    }
    return text;
}

}  // namespace strumwise::tuner
