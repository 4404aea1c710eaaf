#pragma once

#include "platform/view_toolkit.h"

namespace strumwise::tuner {

// The look for a lit string (0: none lit since the last silence) and what the meter reads. A
// string counts as still in tune while the meter reads it inside its window, or reads nothing
// yet; a reading outside the window, or of another string, makes the lit look stale.
platform::ScreenLook screenLookFor(int litString, const platform::TuningMeterReading& reading);

// Keeps the screen's look in step with the tick and the meter. The tick tells it which string it
// lit and when it drew silence; the meter draws through it (it is the view the tuning meter is
// given), so it weighs exactly the reading the player sees. After each tick it works out the
// look, shows it when it changes, and announces a coming into or going out of tune, at most
// once a second so that a wavering string does not chatter. Main thread only.
class ScreenLookKeeper final : public platform::TuningMeter {
  public:
    // Ticks between two announcements: one second of 0.1 s ticks.
    static constexpr int kTicksBetweenAnnouncements = 10;

    // Either view may be nullptr: a layout without a meter still has a look, and one without a
    // look still has its meter.
    ScreenLookKeeper(platform::TuningMeter* meter, platform::ScreenLookView* view)
        : meter_(meter), view_(view) {}

    // The meter's reading, passed on to the meter's own view.
    void show(const platform::TuningMeterReading& reading) override;
    // The tick lit `string`, or drew the silence look.
    void lit(int string) { litString_ = string; }
    void silenced() { litString_ = 0; }
    // After every tick, once the meter has drawn.
    void tick();

    platform::ScreenLook look() const { return look_; }

  private:
    enum class Tune { Unknown, In, Out };

    platform::TuningMeter* meter_;
    platform::ScreenLookView* view_;
    platform::TuningMeterReading reading_;
    int litString_ = 0;
    platform::ScreenLook look_ = platform::ScreenLook::Silence;
    bool shown_ = false;
    Tune announced_ = Tune::Unknown;
    int ticksSinceAnnounced_ = kTicksBetweenAnnouncements;
};

}  // namespace strumwise::tuner
