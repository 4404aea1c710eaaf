#include "tuner/tuning_browser.h"

#include <array>
#include <string>
#include <string_view>

#include "tuner/tuning_chart.h"
#include "tuner/tuning_names.h"

namespace strumwise::tuner {
namespace {

struct TuningCharts {
    std::string_view phoneChart;
    std::string_view padChart;
};

// The first tuning's charts carry no digit.
constexpr std::array<TuningCharts, kTuningCount> kCharts{{
    {"chartiphone.png", "chartipad.png"},
    {"chartiphone2.png", "chartipad2.png"},
    {"chartiphone3.png", "chartipad3.png"},
    {"chartiphone4.png", "chartipad4.png"},
}};

// The two phone screens whose layouts have room for the larger tablet charts. Compared
// exactly, like every screen height.
bool showsPadCharts(double phoneScreenHeight) {
    return phoneScreenHeight == 667.0 || phoneScreenHeight == 736.0;
}

std::string_view chartOf(const TuningCharts& page, TuningBrowser::ChartFamily family) {
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
        for (const TuningCharts& page : kCharts) {
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
        const TuningCharts& charts = kCharts[static_cast<std::size_t>(tuning.specifiedIndex - 1)];
        return std::string(chartOf(charts, family));
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
    // Where the strings sound other than open, the title says so wherever it is shown.
    return localizedTuningTitle(tuning, bundle_) +
           transposedSuffix(state_.setup.settings(), bundle_);
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
