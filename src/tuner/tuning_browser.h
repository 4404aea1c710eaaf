#pragma once

#include <string>
#include <vector>

#include "platform/bundle.h"
#include "platform/device.h"
#include "platform/view_toolkit.h"
#include "tuner/tuner_state.h"
#include "view/outlets.h"
#include "view/screen_hooks.h"

namespace strumwise::tuner {

// Shows one tuning at a time (chart, localized title, note names of the five strings) with two
// arrows to step through the tunings the player browses (the four, unless the player chose
// others). The only writer of the tuning index after start-up.
class TuningBrowser {
  public:
    TuningBrowser(const view::Outlets& outlets, TunerState& state, view::ScreenHooks& hooks,
                  const platform::Device& device, const platform::Images& images,
                  const platform::Bundle& bundle);

    // Redraws the about texts, the note labels (through the screen's displayNotes), the chart,
    // the title and the arrows.
    void displayTunings();
    // Writes the note names of the current tuning's strings; nothing for an unknown tuning.
    void displayNotes();

    // Step to the neighbouring tuning and redraw. The arrow at either end is hidden, but an
    // action can still arrive by name (a script, a test), so a step that would leave the
    // browser's tunings keeps the tuning as it is.
    void showPreviousTuning();
    void showNextTuning();

    // The pictures of the four tunings' charts that the browser leaves on the device's screen:
    // those of the family it draws last. None on a device that is neither a phone nor a pad. (A
    // chart of any other tuning is drawn by the platform, and is no picture to fetch.)
    static std::vector<std::string> charts(const platform::Device& device);

    // The two sizes of chart: the phone's, and the tablet's, which taller phones show too.
    enum class ChartFamily { phone, pad };

  private:
    // The families whose charts displayTunings draws on the device, in the order it draws them.
    static std::vector<ChartFamily> familiesDrawn(const platform::Device& device);
    void displayTuning(ChartFamily family);
    std::string chartName(const Tuning& tuning, ChartFamily family) const;
    std::string title(const Tuning& tuning) const;

    const view::Outlets& outlets_;
    TunerState& state_;
    view::ScreenHooks& hooks_;
    const platform::Device& device_;
    const platform::Images& images_;
    const platform::Bundle& bundle_;
};

}  // namespace strumwise::tuner
