#pragma once

#include <string_view>

#include "platform/view_toolkit.h"

namespace strumwise::view {

// The main screen's views, connected by the layout. An outlet the layout does not connect stays
// nullptr, and writes to it have no effect (see the helpers below).
struct Outlets {
    platform::Label* freq_label = nullptr;
    platform::Button* tuningForkButton = nullptr;
    platform::Label* noteDisplay = nullptr;
    platform::ImageView* LEDDisplay128 = nullptr;
    platform::ImageView* LEDDisplay = nullptr;
    platform::ImageView* tunedString = nullptr;
    platform::ImageView* tunedString5 = nullptr;
    platform::ImageView* tunedStringiPad = nullptr;
    platform::Label* currentTuningName = nullptr;
    platform::Label* firstString = nullptr;
    platform::Label* secondString = nullptr;
    platform::Label* thirdString = nullptr;
    platform::Label* fourthString = nullptr;
    platform::Label* fifthString = nullptr;
    platform::ImageView* chartDisplay = nullptr;
    platform::Button* showPreviousTuningButton = nullptr;
    platform::Button* showNextTuningButton = nullptr;
    platform::Label* aboutCongratsMessage = nullptr;
    platform::Label* aboutMsg2 = nullptr;
    platform::Label* tfnoteDisplay = nullptr;
    platform::Label* tfFreqLabel = nullptr;
    platform::Button* firstFreqButton = nullptr;
    platform::Button* secondFreqButton = nullptr;
    platform::Button* thirdFreqButton = nullptr;
    platform::Button* fourthFreqButton = nullptr;
    platform::Button* fifthFreqButton = nullptr;
    // Says why the tuner cannot hear or play; empty while all is well.
    platform::Label* audioStatusLabel = nullptr;
    // Beside the tuner's read-outs: how far and which way the nearest string is off, and how
    // loud the microphone hears.
    platform::TuningMeter* tuningMeter = nullptr;
    platform::LevelMeter* levelMeter = nullptr;
    // Under the meter: its readings of the last seconds as a line, and their trend in words.
    platform::ReadingHistoryView* readingHistory = nullptr;
    // Dims the matched look once the meter no longer agrees with it.
    platform::ScreenLookView* screenLook = nullptr;
};

// Writes that do nothing on an unconnected outlet.
inline void setText(platform::Label* label, std::string_view text) {
    if (label != nullptr) {
        label->setText(text);
    }
}
inline void setTitle(platform::Button* button, std::string_view title) {
    if (button != nullptr) {
        button->setTitle(title);
    }
}
inline void setHidden(platform::Button* button, bool hidden) {
    if (button != nullptr) {
        button->setHidden(hidden);
    }
}
inline void setHidden(platform::ImageView* view, bool hidden) {
    if (view != nullptr) {
        view->setHidden(hidden);
    }
}
inline void setImage(platform::ImageView* view, platform::ImageRef image) {
    if (view != nullptr) {
        view->setImage(std::move(image));
    }
}

template <typename Meter, typename Reading>
void show(Meter* meter, const Reading& reading) {
    if (meter != nullptr) {
        meter->show(reading);
    }
}

}  // namespace strumwise::view
