#pragma once

#include <array>
#include <string_view>

namespace strumwise::platform::headless {

enum class OutletKind { Label, ImageView, Button, TuningMeter, LevelMeter, ScreenLook };

struct OutletName {
    std::string_view name;
    OutletKind kind;
};

// Every view of the main screen layout by outlet name, as the screen's Outlets expect them. The
// headless layouts connect all of them on every screen size: a write to a view that a real
// layout would leave out still shows up in the trace, which is what a test wants to see.
inline constexpr std::array<OutletName, 30> kMainScreenOutlets{{
    {"freq_label", OutletKind::Label},
    {"tuningForkButton", OutletKind::Button},
    {"noteDisplay", OutletKind::Label},
    {"LEDDisplay128", OutletKind::ImageView},
    {"LEDDisplay", OutletKind::ImageView},
    {"tunedString", OutletKind::ImageView},
    {"tunedString5", OutletKind::ImageView},
    {"tunedStringiPad", OutletKind::ImageView},
    {"currentTuningName", OutletKind::Label},
    {"firstString", OutletKind::Label},
    {"secondString", OutletKind::Label},
    {"thirdString", OutletKind::Label},
    {"fourthString", OutletKind::Label},
    {"fifthString", OutletKind::Label},
    {"chartDisplay", OutletKind::ImageView},
    {"showPreviousTuningButton", OutletKind::Button},
    {"showNextTuningButton", OutletKind::Button},
    {"aboutCongratsMessage", OutletKind::Label},
    {"aboutMsg2", OutletKind::Label},
    {"tfnoteDisplay", OutletKind::Label},
    {"tfFreqLabel", OutletKind::Label},
    {"firstFreqButton", OutletKind::Button},
    {"secondFreqButton", OutletKind::Button},
    {"thirdFreqButton", OutletKind::Button},
    {"fourthFreqButton", OutletKind::Button},
    {"fifthFreqButton", OutletKind::Button},
    {"audioStatusLabel", OutletKind::Label},
    {"tuningMeter", OutletKind::TuningMeter},
    {"levelMeter", OutletKind::LevelMeter},
    {"screenLook", OutletKind::ScreenLook},
}};

}  // namespace strumwise::platform::headless
