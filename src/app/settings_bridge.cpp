#include "app/settings_bridge.h"

#include <charconv>
#include <cstdio>
#include <optional>

#include "tuner/settings_messages.h"
#include "tuner/tuning_names.h"
#include "tuner/tunings_library.h"

namespace strumwise::app {
namespace {

// The text as a JSON string, quotes included.
std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

std::optional<int> whole(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::string answer(bool ok, std::string_view message = {}) {
    std::string json = ok ? "{\"ok\":true" : "{\"ok\":false";
    if (!message.empty()) {
        json += ",\"message\":" + quoted(message);
    }
    return json + "}";
}

std::string refused(const platform::Bundle& bundle) {
    return answer(false, bundle.localizedString("SettingRefused", "That value cannot be set.", ""));
}

}  // namespace

std::string settingsJson(const tuner::PlayerSettings& settings, const platform::Bundle& bundle) {
    std::string json = "{\"tenths\":" + std::to_string(settings.referenceTenths) +
                       ",\"reference\":" + quoted(tuner::referenceText(settings.referenceTenths)) +
                       ",\"capo\":" + std::to_string(settings.capoFret) +
                       ",\"fifth\":" + std::to_string(settings.fifthStringFret) +
                       ",\"lock\":" + std::to_string(settings.lockedString) + ",\"library\":[";
    bool first = true;
    for (const tuner::Tuning& tuning : tuner::tuningLibrary()) {
        json += first ? "" : ",";
        first = false;
        json += "{\"name\":" + quoted(tuning.name) +
                ",\"title\":" + quoted(tuner::localizedTuningTitle(tuning, bundle)) +
                ",\"notes\":" + quoted(tuner::tuningNotesText(tuning)) +
                ",\"browsed\":" + (settings.browses(tuning.name) ? "true" : "false") + "}";
    }
    json += "],\"custom\":[";
    first = true;
    for (const tuner::Tuning& tuning : settings.customTunings) {
        json += first ? "" : ",";
        first = false;
        json += "{\"name\":" + quoted(tuning.name) +
                ",\"notes\":" + quoted(tuner::tuningNotesText(tuning)) +
                ",\"browsed\":" + (settings.browses(tuning.name) ? "true" : "false") + "}";
    }
    return json + "]}";
}

std::string runSettingsRequest(screen::ViewController& controller, const platform::Bundle& bundle,
                               std::string_view request, std::string_view first,
                               std::string_view second, std::string_view third) {
    tuner::PlayerSettingsEditor& editor = controller.playerSettings();
    const auto number = whole(first);
    const auto byNumber = [&](bool (tuner::PlayerSettingsEditor::*set)(int)) {
        return number && (editor.*set)(*number) ? answer(true) : refused(bundle);
    };
    if (request == "reference" || request == "keepReference") {
        return byNumber(&tuner::PlayerSettingsEditor::setReference);
    }
    if (request == "capo") {
        return byNumber(&tuner::PlayerSettingsEditor::setCapoFret);
    }
    if (request == "fifth") {
        return byNumber(&tuner::PlayerSettingsEditor::setFifthStringFret);
    }
    if (request == "lock") {
        return byNumber(&tuner::PlayerSettingsEditor::setLockedString);
    }
    if (request == "browse") {
        return editor.setBrowsed(first, second == "1")
                   ? answer(true)
                   : answer(false, bundle.localizedString(
                                       "BrowsedTuningsEmpty",
                                       "The arrows need at least one tuning to show.", ""));
    }
    if (request == "add" || request == "change") {
        const std::optional<tuner::TuningProblem> problem =
            request == "add" ? editor.addCustomTuning(first, second)
                             : editor.changeCustomTuning(first, second, third);
        return problem ? answer(false, tuner::tuningProblemMessage(*problem, bundle))
                       : answer(true);
    }
    if (request == "remove") {
        editor.removeCustomTuning(first);
        return answer(true);
    }
    if (request == "takeReference") {
        const tuner::ReferenceFromNote heard = controller.referenceFromHeardNote();
        if (heard.refusal) {
            return answer(false, tuner::referenceRefusalText(heard, bundle));
        }
        return "{\"ok\":true,\"tenths\":" + std::to_string(*heard.tenths) +
               ",\"message\":" + quoted(tuner::referenceProposalText(*heard.tenths, bundle)) + "}";
    }
    return refused(bundle);
}

}  // namespace strumwise::app
