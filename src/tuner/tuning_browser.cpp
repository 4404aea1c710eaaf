#include "tuner/tuning_browser.h"

#include <array>
#include <string>
#include <string_view>

#include "tuner/tuning_chart.h"
#include "tuner/tuning_text.h"

namespace strumwise::tuner {
namespace {

struct TuningPage {
    std::string_view phoneChart;
    std::string_view padChart;
    std::string_view titleKey;
};

// The first tuning's chart and title key carry no digit.
constexpr std::array<TuningPage, kTuningCount> kPages{{
    {"chartiphone.png", "chartipad.png", "TuningFreeTitle"},
    {"chartiphone2.png", "chartipad2.png", "TuningFreeTitle2"},
    {"chartiphone3.png", "chartipad3.png", "TuningFreeTitle3"},
    {"chartiphone4.png", "chartipad4.png", "TuningFreeTitle4"},
}};

// The neck's fret at which the fifth string's own nut sits.
constexpr int kFifthStringNut = 5;

// The text with its "%d" replaced by the number.
std::string withNumber(std::string text, int number) {
    if (const auto at = text.find("%d"); at != std::string::npos) {
        text.replace(at, 2, std::to_string(number));
    }
    return text;
}

// The two phone screens whose layouts have room for the larger tablet charts. Compared
// exactly, like every screen height.
bool showsPadCharts(double phoneScreenHeight) {
    return phoneScreenHeight == 667.0 || phoneScreenHeight == 736.0;
}

std::string_view chartOf(const TuningPage& page, TuningBrowser::ChartFamily family) {
    return family == TuningBrowser::ChartFamily::pad ? page.padChart : page.phoneChart;
}

}  // namespace

TuningBrowser::TuningBrowser(const view::Outlets& outlets, TunerState& state,
                             view::ScreenHooks& hooks, const platform::Device& device,
                             const platform::Images& images, const platform::Bundle& bundle)
    : outlets_(outlets),
      state_(state),
      hooks_(hooks),
      device_(device),
      images_(images),
      bundle_(bundle) {}

void TuningBrowser::displayTunings() {
    view::setText(outlets_.aboutCongratsMessage,
                  bundle_.localizedString("TunerAboutCongratsMessage", "", ""));
    view::setText(outlets_.aboutMsg2, bundle_.localizedString("TunerAboutMsg2", "", ""));

    const std::vector<ChartFamily> families = familiesDrawn(device_);
    if (families.empty()) {
        return;
    }
    hooks_.displayNotes();
    for (const ChartFamily family : families) {
        displayTuning(family);
    }
}

std::vector<TuningBrowser::ChartFamily> TuningBrowser::familiesDrawn(
    const platform::Device& device) {
    // A device that does not say what it is counts as a phone.
    const long idiom = device.userInterfaceIdiom().value_or(platform::Device::kIdiomPhone);
    if (idiom == platform::Device::kIdiomPad) {
        return {ChartFamily::pad};
    }
    if (idiom == platform::Device::kIdiomPhone) {
        if (showsPadCharts(device.mainScreenHeight())) {
            return {ChartFamily::phone, ChartFamily::pad};
        }
        return {ChartFamily::phone};
    }
    return {};
}

std::vector<std::string> TuningBrowser::charts(const platform::Device& device) {
    std::vector<std::string> names;
    const std::vector<ChartFamily> families = familiesDrawn(device);
    if (!families.empty()) {
        for (const TuningPage& page : kPages) {
            names.emplace_back(chartOf(page, families.back()));
        }
    }
    return names;
}

void TuningBrowser::displayTuning(ChartFamily family) {
    const std::uint64_t tuning = state_.tuningIndex;
    const Tuning* shown = state_.setup.tuning(tuning);
    if (shown == nullptr) {
        return;
    }
    view::setImage(outlets_.chartDisplay, images_.imageNamed(chartName(*shown, family)));
    view::setText(outlets_.currentTuningName, title(*shown));
    view::setHidden(outlets_.showPreviousTuningButton, tuning == 1);
    view::setHidden(outlets_.showNextTuningButton, tuning == state_.setup.tuningCount());
}

std::string TuningBrowser::chartName(const Tuning& tuning, ChartFamily family) const {
    if (isValidTuning(tuning.specifiedIndex) && !state_.setup.transposed()) {
        const TuningPage& page = kPages[static_cast<std::size_t>(tuning.specifiedIndex - 1)];
        return std::string(chartOf(page, family));
    }
    // Any other tuning, or one of the four with a capo or a spike, is drawn with the notes it
    // sounds, drone first.
    std::array<std::string, kStringCount> droneFirst;
    for (int string = 1; string <= kStringCount; ++string) {
        droneFirst[static_cast<std::size_t>(string == kStringCount ? 0 : kStringCount - string)] =
            state_.setup.target(state_.tuningIndex, string)->noteName;
    }
    return drawnChartName(family == ChartFamily::pad, droneFirst);
}

std::string TuningBrowser::title(const Tuning& tuning) const {
    std::string text;
    if (isValidTuning(tuning.specifiedIndex)) {
        const TuningPage& page = kPages[static_cast<std::size_t>(tuning.specifiedIndex - 1)];
        text = bundle_.localizedString(page.titleKey, "", "");
    } else if (tuning.custom) {
        text = tuning.name;
    } else {
        // The library's names are their own keys, so that a translation can rename them.
        text = tuningTitle(bundle_.localizedString(tuning.name, "", ""), tuning.spelling);
    }
    // Where the strings sound other than open, the title says so: "Open G (gDGBD), capo 2, 5th
    // at 7", the spike placed as players count it, on the neck's frets.
    const PlayerSettings& settings = state_.setup.settings();
    if (settings.capoFret != 0) {
        text += withNumber(bundle_.localizedString("TuningCapoSuffix", ", capo %d", ""),
                           settings.capoFret);
    }
    if (settings.fifthStringFret != 0) {
        text += withNumber(bundle_.localizedString("TuningFifthStringSuffix", ", 5th at %d", ""),
                           kFifthStringNut + settings.fifthStringFret);
    }
    return text;
}

void TuningBrowser::displayNotes() {
    const std::uint64_t tuning = state_.tuningIndex;
    if (!state_.hasTuning()) {
        return;
    }
    const std::array<platform::Label*, kStringCount> labels{
        outlets_.firstString, outlets_.secondString, outlets_.thirdString, outlets_.fourthString,
        outlets_.fifthString};
    for (int string = 1; string <= kStringCount; ++string) {
        view::setText(labels[static_cast<std::size_t>(string - 1)],
                      state_.setup.target(tuning, string)->noteName);
    }
}

void TuningBrowser::showPreviousTuning() {
    if (state_.setup.hasTuning(state_.tuningIndex - 1)) {
        --state_.tuningIndex;
    }
    displayTunings();
}

void TuningBrowser::showNextTuning() {
    if (state_.setup.hasTuning(state_.tuningIndex + 1)) {
        ++state_.tuningIndex;
    }
    displayTunings();
}

}  // namespace strumwise::tuner
