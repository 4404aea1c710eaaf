#include "adapters/headless/english_texts.h"

#include <array>

namespace strumwise::platform::headless {
namespace {

constexpr std::string_view kDefaultTable = "Localizable";

constexpr std::array<EnglishText, 11> kTexts{{
    {kDefaultTable, "TuningFreeTitle", "Open G (gDGBD)"},
    {kDefaultTable, "TuningFreeTitle2", "Double D (aDADE)"},
    {kDefaultTable, "TuningFreeTitle3", "Double C (gCGCD)"},
    {kDefaultTable, "TuningFreeTitle4", "G Modal (gDGCD)"},
    {kDefaultTable, "TunerAboutCongratsMessage",
     "Pluck a string: when it is in tune, its picture and the green lamp light up."},
    {kDefaultTable, "TunerAboutMsg2",
     "Touch a fork to hear the reference note of that string; touch stop to end it."},
    {kDefaultTable, "NoMicrophone", "No microphone"},
    {kDefaultTable, "MicrophoneLost", "Microphone lost \u2014 reconnecting\u2026"},
    {kDefaultTable, "NoAudioOutput", "No audio output"},
    {kDefaultTable, "TuningCapoSuffix", ", capo %d"},
    {kDefaultTable, "TuningFifthStringSuffix", ", 5th at %d"},
}};

}  // namespace

std::span<const EnglishText> englishTexts() {
    return kTexts;
}

std::optional<std::string_view> englishText(std::string_view key, std::string_view table) {
    const std::string_view wanted = table.empty() ? kDefaultTable : table;
    for (const auto& entry : kTexts) {
        if (entry.table == wanted && entry.key == key) {
            return entry.text;
        }
    }
    return std::nullopt;
}

}  // namespace strumwise::platform::headless
