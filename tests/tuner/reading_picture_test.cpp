// How the screen looks around the meter: whether a lit string still reads in tune, and the
// picture of the meter's last seconds, the history it keeps, the trend it puts in words and how
// often the views are told.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tuner/reading_history.h"
#include "tuner/reading_picture.h"
#include "tuner/reading_trend.h"
#include "tuner/screen_look.h"
#include "tuner/tuning_meter.h"

namespace strumwise::tuner {
namespace {

using platform::ReadingSample;
using platform::ReadingTrend;
using Kind = ReadingTrend::Kind;
using platform::ScreenLook;
using Reading = platform::TuningMeterReading;

// A reading of string 3 at `cents`, with the +-5 cent window every string has by default.
ReadingSample read(double seconds, double cents, int string = 3) {
    return {seconds, string, cents, -5.0, 5.0};
}
ReadingSample gap(double seconds) {
    return {seconds, 0, 0.0, 0.0, 0.0};
}

TEST(ReadingHistory, KeepsTheLastSixSecondsByTimeOldestFirstGapsIncluded) {
    ReadingHistory history;
    EXPECT_TRUE(history.recent().empty());
    EXPECT_FALSE(history.hasReading());
    // Ten seconds of ticks, every third one silent.
    for (int tick = 0; tick <= 100; ++tick) {
        const double seconds = tick * 0.1;
        history.add(tick % 3 == 0 ? gap(seconds) : read(seconds, tick * 0.25));
    }
    const auto recent = history.recent();
    ASSERT_EQ(recent.size(), 61u) << "4.0 s to 10.0 s, both ends";
    EXPECT_NEAR(recent.front().seconds, 4.0, 1e-9);
    EXPECT_NEAR(recent.back().seconds, 10.0, 1e-9);
    for (std::size_t i = 0; i < recent.size(); ++i) {
        const int tick = 40 + static_cast<int>(i);
        EXPECT_EQ(recent[i].string, tick % 3 == 0 ? 0 : 3) << tick;
        if (tick % 3 != 0) {
            EXPECT_DOUBLE_EQ(recent[i].cents, tick * 0.25) << tick;
        }
    }
    EXPECT_TRUE(history.hasReading());
    // Then ticks a second apart: only the last seven lie within six seconds.
    for (int second = 11; second <= 20; ++second) {
        history.add(read(second, 1.0));
    }
    ASSERT_EQ(history.recent().size(), 7u);
    EXPECT_EQ(history.recent().front().seconds, 14.0);
    // A sample older than the newest is out of order and dropped.
    history.add(read(3.0, 1.0));
    EXPECT_EQ(history.recent().back().seconds, 20.0);
    history.clear();
    EXPECT_TRUE(history.recent().empty());
}

// Samples of string 3 ten a second from 0 s, the cents of each given in turn; kGap for silence.
const double kGap = std::nan("");
std::vector<ReadingSample> run(const std::vector<double>& cents, int string = 3) {
    std::vector<ReadingSample> samples;
    for (std::size_t i = 0; i < cents.size(); ++i) {
        const double seconds = static_cast<double>(i) * 0.1;
        samples.push_back(std::isnan(cents[i]) ? gap(seconds) : read(seconds, cents[i], string));
    }
    return samples;
}

TEST(ReadingTrend, SettlingInTuneDriftingSteadyAndNoReading) {
    struct Case {
        const char* what;
        std::vector<ReadingSample> samples;
        Kind kind;
        int cents;
    };
    std::vector<ReadingSample> otherString = run({30, 25, 20, 15, 10, 6}, 2);
    otherString.push_back(read(0.6, 4.0, 3));
    const Case cases[] = {
        {"a pluck coming down to its note", run({12, 10, 8, 6, 4, 3, 2.4, 2.2, 2.1, 2, 2}),
         Kind::Settling, 2},
        {"held in the window", run({1.2, 0.8, 1.1, 0.9, 1.0, 1.3, 0.7, 1.0}), Kind::InTune, 1},
        {"going flat", run({-1, -2, -2.5, -3, -4, -5, -5.5, -6}), Kind::Drifting, -6},
        {"going sharp past the window", run({2, 3, 4, 5, 6, 7}), Kind::Drifting, 7},
        {"held off the window", run({12, 12.3, 11.8, 12.1, 12, 11.9, 12.2}), Kind::Steady, 12},
        // Two cents of wobble over a second is not a movement.
        {"wobbling in tune", run({-1, 1, -1, 1, -1, 1, 0.5}), Kind::InTune, 1},
        // Moving, but only as far as the note itself.
        {"arriving", run({-6, -4, -2, -0.3}), Kind::InTune, 0},
        // Too short a run to show a movement: two readings after a gap read as still.
        {"fresh after a gap", run({-20, -20, -20, -20, kGap, 2.2, 2.0, 2.1}), Kind::InTune, 2},
        // A fresh run moving fast: a fifth of a second shows no movement yet, three tenths do.
        {"moving, but too young to tell", run({-20, kGap, 1, 4, 7}), Kind::Steady, 7},
        {"moving, old enough to tell", run({-20, kGap, 1, 4, 7, 10}), Kind::Drifting, 10},
        // Another string's readings are not this one's past.
        {"a new string", otherString, Kind::InTune, 4},
        {"silence", {gap(0.0)}, Kind::NoReading, 0},
        {"nothing yet", {}, Kind::NoReading, 0},
    };
    for (const Case& c : cases) {
        const ReadingTrend trend = readingTrend(c.samples, "G3");
        EXPECT_EQ(trend.kind, c.kind) << c.what;
        EXPECT_EQ(trend.cents, c.cents) << c.what;
        EXPECT_EQ(trend.note, c.kind == Kind::NoReading ? "" : "G3") << c.what;
    }
}

TEST(ReadingTrend, OnlyTheLastSecondCounts) {
    // A big fall long ago, then two seconds held sharp: steady, not settling.
    std::vector<double> cents = {40, 30, 20, 15};
    cents.insert(cents.end(), 20, 12.0);
    EXPECT_EQ(readingTrend(run(cents), "D4").kind, Kind::Steady);
    // Four cents over the last second is a movement; two cents is not.
    std::vector<double> slow(11);
    std::vector<double> faster(11);
    for (std::size_t i = 0; i < slow.size(); ++i) {
        slow[i] = 10.0 + 2.0 * static_cast<double>(i) / 10.0;
        faster[i] = 10.0 + 4.0 * static_cast<double>(i) / 10.0;
    }
    EXPECT_EQ(readingTrend(run(slow), "D4").kind, Kind::Steady);
    EXPECT_EQ(readingTrend(run(faster), "D4").kind, Kind::Drifting);
}

// A view that records what it was given.
class HistoryRecorder final : public platform::ReadingHistoryView {
  public:
    void show(std::span<const ReadingSample> samples, double now) override {
        shown.assign(samples.begin(), samples.end());
        shownAt = now;
        ++shows;
    }
    void describe(const ReadingTrend& trend) override { described.push_back({tick, trend}); }

    int tick = 0;
    int shows = 0;
    double shownAt = 0.0;
    std::vector<ReadingSample> shown;
    std::vector<std::pair<int, ReadingTrend>> described;
};

// What the meter of open G reads of a G3 `cents` off equal temperament, worked out here.
Reading g3(double cents) {
    return tuningMeterReading(1, 440.0 * std::pow(2.0, (55 - 69 + cents / 100.0) / 12.0));
}

TEST(ReadingPicture, FeedsEachTicksMeterReadingAtTenASecondAndChromaticNotesAreGaps) {
    HistoryRecorder view;
    ReadingPicture picture(&view);
    picture.tick(g3(8.0));
    picture.tick(g3(6.0));
    picture.tick(platform::TuningMeterReading{});  // silence
    picture.tick(tuningMeterReading(1, 174.61));   // F3: no string of open G
    ASSERT_EQ(view.shown.size(), 4u);
    EXPECT_NEAR(view.shownAt, 0.3, 1e-9);
    EXPECT_NEAR(view.shown[1].seconds, 0.1, 1e-9);
    EXPECT_EQ(view.shown[0].string, 3);
    EXPECT_NEAR(view.shown[0].cents, 8.0, 0.01);
    EXPECT_NEAR(view.shown[0].zoneLow, -5.0, 0.01);
    EXPECT_NEAR(view.shown[0].zoneHigh, 5.0, 0.01);
    EXPECT_EQ(view.shown[2].string, 0);
    EXPECT_EQ(view.shown[3].string, 0);
}

TEST(ReadingPicture, AnEmptyPictureIsDrawnOnceAndNoViewCostsNothing) {
    HistoryRecorder view;
    ReadingPicture picture(&view);
    for (int tick = 0; tick < 20; ++tick) {
        picture.tick(platform::TuningMeterReading{});
    }
    EXPECT_EQ(view.shows, 0) << "nothing read yet: nothing to draw";
    EXPECT_TRUE(view.described.empty()) << "nor anything to say";
    picture.tick(g3(1.0));
    EXPECT_EQ(view.shows, 1);
    // The reading stays in the picture for six seconds, then it is empty once and left alone.
    for (int tick = 0; tick < 100; ++tick) {
        picture.tick(platform::TuningMeterReading{});
    }
    EXPECT_EQ(view.shows, 1 + 60 + 1)
        << "drawn while the reading was in the picture, and once empty";
    EXPECT_TRUE(view.shown.size() > 0);
    for (const auto& sample : view.shown) {
        EXPECT_EQ(sample.string, 0);
    }

    ReadingPicture unseen(nullptr);
    unseen.tick(g3(1.0));
    EXPECT_TRUE(unseen.history().recent().empty());
}

TEST(ReadingPicture, SaysTheTrendWhenItChangesAtMostOnceASecond) {
    HistoryRecorder view;
    ReadingPicture picture(&view);
    // A pluck falling from 14 cents sharp into tune over two seconds, held, then silence.
    for (view.tick = 0; view.tick < 45; ++view.tick) {
        picture.tick(view.tick < 20   ? g3(14.0 - 0.7 * view.tick)
                     : view.tick < 40 ? g3(0.5)
                                      : Reading{});
    }
    ASSERT_GE(view.described.size(), 3u);
    for (std::size_t i = 1; i < view.described.size(); ++i) {
        EXPECT_GE(view.described[i].first - view.described[i - 1].first, 10)
            << "a second between two descriptions";
        EXPECT_NE(view.described[i].second, view.described[i - 1].second) << "only a change";
    }
    // The first tick's one reading shows no movement yet; a second later the fall shows.
    EXPECT_EQ(view.described[0].second.kind, Kind::Steady);
    EXPECT_EQ(view.described[1].first, 10);
    EXPECT_EQ(view.described[1].second, (ReadingTrend{Kind::Settling, "G3", 7}));
    bool inTune = false;
    for (const auto& [tick, trend] : view.described) {
        inTune = inTune || trend.kind == Kind::InTune;
    }
    EXPECT_TRUE(inTune);
    // Silence is told, but only a second after the last words.
    EXPECT_EQ(view.described.back().second.kind, Kind::NoReading);
}

TEST(ScreenLook, ALitStringStaysInTuneOnlyWhileTheMeterReadsItInsideItsWindow) {
    struct Case {
        int lit;
        Reading reading;
        ScreenLook look;
    };
    const Case cases[] = {
        {0, Reading{}, ScreenLook::Silence},
        {0, g3(20.0), ScreenLook::Measuring},  // heard from silence, nothing lit
        {3, Reading{}, ScreenLook::InTune},    // lit, and nothing read yet to doubt it
        {3, g3(0.0), ScreenLook::InTune},
        {3, g3(4.5), ScreenLook::InTune},
        {3, g3(-4.5), ScreenLook::InTune},
        {3, g3(5.5), ScreenLook::Stale},   // just out of the +-5 cent window
        {3, g3(20.0), ScreenLook::Stale},  // a G3 20 cents sharp
        {2, g3(0.0), ScreenLook::Stale},   // B3 lit, G3 read in tune: another string
        {5, tuningMeterReading(1, 392.0), ScreenLook::InTune},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(screenLookFor(c.lit, c.reading), c.look)
            << "lit " << c.lit << ", read " << c.reading.note << " " << c.reading.cents;
    }
}

// What a screen reader would be told, and at which tick.
class LookRecorder final : public platform::ScreenLookView {
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
    LookRecorder views;
    ScreenLookKeeper keeper(nullptr, &views);
    keeper.lit(3);
    for (views.tick = 0; views.tick < 30; ++views.tick) {
        keeper.show(g3(views.tick % 2 == 0 ? 1.0 : 12.0));
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
    keeper.show(g3(20.0));
    keeper.tick();
    EXPECT_EQ(views.announced,
              (std::vector<std::pair<int, ScreenLook>>{{35, ScreenLook::Measuring}}));
    EXPECT_EQ(views.lastReading.note, "G3");
    EXPECT_EQ(views.lastReading.turn, Reading::Turn::Down);
}

}  // namespace
}  // namespace strumwise::tuner
