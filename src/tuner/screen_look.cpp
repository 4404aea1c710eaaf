#include "tuner/screen_look.h"

#include "view/outlets.h"

namespace strumwise::tuner {

using platform::ScreenLook;

ScreenLook screenLookFor(int litString, const platform::TuningMeterReading& reading) {
    if (litString == 0) {
        return reading.idle ? ScreenLook::Silence : ScreenLook::Measuring;
    }
    if (reading.idle) {
        return ScreenLook::InTune;
    }
    const bool agrees =
        reading.string == litString && reading.turn == platform::TuningMeterReading::Turn::None;
    return agrees ? ScreenLook::InTune : ScreenLook::Stale;
}

void ScreenLookKeeper::show(const platform::TuningMeterReading& reading) {
    reading_ = reading;
    view::show(meter_, reading);
}

void ScreenLookKeeper::tick() {
    const ScreenLook look = screenLookFor(litString_, reading_);
    if (look != look_ || !shown_) {
        look_ = look;
        shown_ = true;
        view::show(view_, look);
    }
    if (ticksSinceAnnounced_ < kTicksBetweenAnnouncements) {
        ++ticksSinceAnnounced_;
    }
    // Silence is not news to a listener; after it, the next sound is announced afresh.
    if (look == ScreenLook::Silence) {
        announced_ = Tune::Unknown;
        return;
    }
    const Tune tune = look == ScreenLook::InTune ? Tune::In : Tune::Out;
    if (tune != announced_ && ticksSinceAnnounced_ >= kTicksBetweenAnnouncements) {
        announced_ = tune;
        ticksSinceAnnounced_ = 0;
        if (view_ != nullptr) {
            view_->announce(look, reading_);
        }
    }
}

}  // namespace strumwise::tuner
