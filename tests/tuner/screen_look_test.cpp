#include "tuner/screen_look.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tuner/tuning_meter.h"

namespace strumwise::tuner {
namespace {

using platform::ScreenLook;
using Reading = platform::TuningMeterReading;

// G3 in equal temperament, `cents` off, worked out here rather than taken from the table.
double g3(double cents) {
    return 440.0 * std::pow(2.0, (55 - 69) / 12.0 + cents / 1200.0);
}

// What the meter of open G reads at that pitch.
Reading openG(double hertz) {
    return tuningMeterReading(1, hertz);
}

TEST(ScreenLook, ALitStringStaysInTuneOnlyWhileTheMeterReadsItInsideItsWindow) {
    struct Case {
        int lit;
        Reading reading;
        ScreenLook look;
    };
    const Case cases[] = {
        {0, Reading{}, ScreenLook::Silence},
        {0, openG(g3(20.0)), ScreenLook::Measuring},  // heard from silence, nothing lit
        {3, Reading{}, ScreenLook::InTune},           // lit, and nothing read yet to doubt it
        {3, openG(g3(0.0)), ScreenLook::InTune},
        {3, openG(g3(4.5)), ScreenLook::InTune},
        {3, openG(g3(-4.5)), ScreenLook::InTune},
        {3, openG(g3(5.5)), ScreenLook::Stale},  // just out of the +-5 cent window
        {3, openG(g3(-9.0)), ScreenLook::Stale},
        {3, openG(g3(20.0)), ScreenLook::Stale},  // the G3 20 cents sharp
        {2, openG(g3(0.0)), ScreenLook::Stale},   // B3 lit, G3 read in tune: another string
        {5, openG(392.0), ScreenLook::InTune},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(screenLookFor(c.lit, c.reading), c.look)
            << "lit " << c.lit << ", read " << c.reading.note << " " << c.reading.cents;
    }
}

// What a screen reader would be told, and at which tick.
class Recorder final : public platform::ScreenLookView {
  public:
    void show(ScreenLook) override {}
    void announce(ScreenLook look, const Reading& reading) override {
        announced.push_back({tick, look});
        lastReading = reading;
    }

    int tick = 0;
    std::vector<std::pair<int, ScreenLook>> announced;
    Reading lastReading;
};

// A string wavering across the edge of its window every tick would have a screen reader talk
// without pause; it hears of a change at most once a second, and of the one that holds.
TEST(ScreenLook, AnnouncesComingIntoAndOutOfTuneAtMostOnceASecond) {
    Recorder views;
    ScreenLookKeeper keeper(nullptr, &views);
    keeper.lit(3);
    for (views.tick = 0; views.tick < 30; ++views.tick) {
        keeper.show(openG(g3(views.tick % 2 == 0 ? 1.0 : 12.0)));
        keeper.tick();
    }
    // In at tick 0; the first tick a second later whose look differs is 11 (out), then 22 (in).
    EXPECT_EQ(views.announced,
              (std::vector<std::pair<int, ScreenLook>>{
                  {0, ScreenLook::InTune}, {11, ScreenLook::Stale}, {22, ScreenLook::InTune}}));

    // Silence is not announced, and the sound after it is news again, with its reading.
    views.announced.clear();
    keeper.silenced();
    keeper.show(Reading{});
    for (; views.tick < 35; ++views.tick) {
        keeper.tick();
    }
    keeper.show(openG(g3(20.0)));
    keeper.tick();
    EXPECT_EQ(views.announced,
              (std::vector<std::pair<int, ScreenLook>>{{35, ScreenLook::Measuring}}));
    EXPECT_EQ(views.lastReading.note, "G3");
    EXPECT_EQ(views.lastReading.turn, Reading::Turn::Down);
}

}  // namespace
}  // namespace strumwise::tuner
