#include "tuner/tuning_browser.h"

#include <array>
#include <string>
#include <string_view>

#include "tuner/tuning_table.h"

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
    if (!isValidTuning(tuning)) {
        return;
    }
    const TuningPage& page = kPages[static_cast<std::size_t>(tuning - 1)];
    view::setImage(outlets_.chartDisplay, images_.imageNamed(chartOf(page, family)));
    view::setText(outlets_.currentTuningName, bundle_.localizedString(page.titleKey, "", ""));
    view::setHidden(outlets_.showPreviousTuningButton, tuning == 1);
    view::setHidden(outlets_.showNextTuningButton, tuning == kTuningCount);
}

void TuningBrowser::displayNotes() {
    const std::uint64_t tuning = state_.tuningIndex;
    if (!isValidTuning(tuning)) {
        return;
    }
    const std::array<platform::Label*, kStringCount> labels{
        outlets_.firstString, outlets_.secondString, outlets_.thirdString, outlets_.fourthString,
        outlets_.fifthString};
    for (int string = 1; string <= kStringCount; ++string) {
        view::setText(labels[static_cast<std::size_t>(string - 1)], noteOf(tuning, string)->name);
    }
}

void TuningBrowser::showPreviousTuning() {
    if (isValidTuning(state_.tuningIndex - 1)) {
        --state_.tuningIndex;
    }
    displayTunings();
}

void TuningBrowser::showNextTuning() {
    if (isValidTuning(state_.tuningIndex + 1)) {
        ++state_.tuningIndex;
    }
    displayTunings();
}

}  // namespace strumwise::tuner
