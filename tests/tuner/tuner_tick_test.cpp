#include "tuner/tuner_tick.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "support/headless_screen.h"

namespace strumwise::tuner {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class TunerTickTest : public ::testing::Test {
  protected:
    // One tick at this level and pitch; answers the reads and writes, in order.
    std::vector<std::string> tickAt(float power, float hertz) {
        screen.take();
        screen.microphone.set(power, hertz);
        tick.tickFree();
        return screen.take();
    }
    // The same without the two reads every tick starts with.
    std::vector<std::string> writesAt(float power, float hertz) {
        auto lines = tickAt(power, hertz);
        EXPECT_THAT(std::vector(lines.begin(), lines.begin() + 2),
                    ElementsAre("microphone averagePower", "microphone frequency"));
        return {lines.begin() + 2, lines.end()};
    }

    // The screen's hooks: silence is drawn by the tick, as the controller has it; the others are
    // recorded.
    struct Hooks final : view::ScreenHooks {
        TunerTick* tick = nullptr;
        std::vector<std::string> calls;
        void displayNoStrings() override { tick->displayNoStrings(); }
        void displayTunedString(std::int64_t string) override {
            calls.push_back("displayTunedString " + std::to_string(string));
        }
        void play1stSoundOnce() override { calls.emplace_back("play1stSoundOnce"); }
        void play2ndSoundOnce() override { calls.emplace_back("play2ndSoundOnce"); }
        void play3rdSoundOnce() override { calls.emplace_back("play3rdSoundOnce"); }
        void play4thSoundOnce() override { calls.emplace_back("play4thSoundOnce"); }
        void play5thSoundOnce() override { calls.emplace_back("play5thSoundOnce"); }
    };

    testing::HeadlessScreen screen;  // a 667-point phone
    TunerState state;
    Hooks hooks;
    TunerTick tick{screen.outlets, screen.microphone, state, hooks, screen.services.images};
    void SetUp() override { hooks.tick = &tick; }
};

TEST_F(TunerTickTest, EachStringsMatchShowsItAndRunsItsOwnHook) {
    const std::pair<float, std::vector<std::string>> strings[] = {
        {293.5f, {"displayTunedString 1", "play1stSoundOnce"}},
        {246.8f, {"displayTunedString 2", "play2ndSoundOnce"}},
        {196.0f, {"displayTunedString 3", "play3rdSoundOnce"}},
        {146.9f, {"displayTunedString 4", "play4thSoundOnce"}},
        {392.1f, {"displayTunedString 5", "play5thSoundOnce"}}};
    for (const auto& [hertz, calls] : strings) {
        hooks.calls.clear();
        writesAt(0.01f, hertz);
        EXPECT_EQ(hooks.calls, calls) << hertz;
    }
    // The match lights the lamps and shows the string's reference label, not the measurement.
    EXPECT_EQ(screen.text("freq_label"), "392Hz");
    EXPECT_EQ(screen.image("LEDDisplay"), "green64.png");
}

TEST_F(TunerTickTest, QuietTicksShowSilenceAndTheDeadBandChangesNothing) {
    writesAt(0.01f, 293.5f);
    // The level is a float: 0.002f and 0.0045f are as close as a meter gets to the thresholds,
    // and the next float out falls on the other side.
    EXPECT_THAT(writesAt(0.002f, 293.5f), IsEmpty());
    EXPECT_THAT(writesAt(0.0045f, 300.0f), IsEmpty());
    EXPECT_THAT(writesAt(std::nextafter(0.0045f, 1.0f), 300.0f),
                ElementsAre("freq_label text \"300.0Hz\""));
    EXPECT_THAT(
        writesAt(std::nextafter(0.002f, 0.0f), 293.5f),
        ElementsAre("freq_label text \"\"", "noteDisplay text \"\"", "tunedString hidden 1",
                    "tunedString5 hidden 1", "tunedStringiPad hidden 1",
                    "LEDDisplay image \"yellow64.png\"", "LEDDisplay128 image \"yellow128.png\""));
}

TEST_F(TunerTickTest, LoudUnmatchedTickOnlyRewritesFrequencyThenAsksForReview) {
    int unmatched = 0;
    tick.setUnmatchedLoudTickHandler([&] { ++unmatched; });
    // No block yet: 0 Hz, and nothing heard to agree with.
    EXPECT_THAT(writesAt(0.01f, 0.0f), ElementsAre("freq_label text \"0.0Hz\""));
    writesAt(0.01f, 196.0f);  // string 3
    EXPECT_THAT(writesAt(0.01f, 300.0f), ElementsAre("freq_label text \"300.0Hz\""));
    EXPECT_EQ(screen.text("noteDisplay"), "G3");
    EXPECT_EQ(screen.image("LEDDisplay"), "green64.png");
    EXPECT_EQ(unmatched, 2);
    writesAt(0.003f, 300.0f);
    writesAt(0.001f, 300.0f);
    EXPECT_EQ(unmatched, 2);
}

TEST_F(TunerTickTest, WhereTheNoteReadingContradictsTheEstimateTheReadingDecides) {
    using Verdict = pitch::NoteReading::Verdict;
    int unmatched = 0;
    tick.setUnmatchedLoudTickHandler([&] { ++unmatched; });
    const auto tickWith = [&](float estimate, pitch::NoteReading reading) {
        screen.take();
        screen.microphone.set(0.01f, estimate);
        screen.microphone.setReading(reading);
        tick.tickFree();
        hooks.calls.clear();
        return screen.take();
    };
    // Unsure (a pluck's first moments): the estimate lights its string, as it always has.
    tickWith(293.5f, {});
    EXPECT_EQ(screen.text("noteDisplay"), "D4");
    writesAt(0.001f, 0.0f);
    // Noise, whose estimate happens to fall in the B3 window: no string, the unmatched path.
    tickWith(246.9f, {Verdict::NoNote, 0.0});
    EXPECT_EQ(screen.image("LEDDisplay"), "yellow64.png");
    EXPECT_EQ(screen.text("freq_label"), "246.9Hz");
    EXPECT_EQ(unmatched, 1);
    // A G3 in tune whose estimate's bin fell just outside its window: lit all the same.
    tickWith(195.4f, {Verdict::Note, 196.1});
    EXPECT_EQ(screen.text("noteDisplay"), "G3");
    EXPECT_EQ(screen.text("freq_label"), "196Hz");
    writesAt(0.001f, 0.0f);
    // The estimate in the G4 window, the reading a D4 in tune: the D4, never the G4.
    tickWith(392.0f, {Verdict::Note, 293.7});
    EXPECT_EQ(screen.text("noteDisplay"), "D4");
    writesAt(0.001f, 0.0f);
    // A reading 2 cents past the D4 window's edge, within the estimate's rounding of it: the
    // estimate's D4 stays lit; 12 cents past it, it is not lit, and the label follows the
    // reading rather than contradict the meter.
    tickWith(294.3f, {Verdict::Note, 294.514 * std::exp2(2.0 / 1200.0)});
    EXPECT_EQ(screen.text("noteDisplay"), "D4");
    writesAt(0.001f, 0.0f);
    EXPECT_THAT(tickWith(294.3f, {Verdict::Note, 294.514 * std::exp2(12.0 / 1200.0)}),
                ElementsAre("microphone averagePower", "microphone frequency",
                            "freq_label text \"296.6Hz\""));
    EXPECT_EQ(screen.image("LEDDisplay"), "yellow64.png");
    // A label within the estimate's rounding of the reading keeps the estimate's own text.
    EXPECT_THAT(tickWith(300.0f, {Verdict::Note, 300.2}),
                ElementsAre("microphone averagePower", "microphone frequency",
                            "freq_label text \"300.0Hz\""));
}

TEST_F(TunerTickTest, UnknownTuningStillEstimatesButDrawsNothing) {
    for (const std::uint64_t tuning : {0, 5}) {
        state.tuningIndex = tuning;
        EXPECT_THAT(writesAt(0.0f, 0.0f), IsEmpty());
        EXPECT_THAT(writesAt(0.01f, 293.5f), IsEmpty());
    }
}

}  // namespace
}  // namespace strumwise::tuner
