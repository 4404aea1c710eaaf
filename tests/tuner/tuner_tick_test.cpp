#include "tuner/tuner_tick.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "support/headless_screen.h"
#include "tuner/tuned_string_indicator.h"
#include "tuner/tuned_strings.h"

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

    // The screen's hooks, delegating as the controller does.
    struct Hooks final : view::ScreenHooks {
        TunerTickTest& t;
        explicit Hooks(TunerTickTest& test) : t(test) {}
        void displayNoStrings() override { t.tick.displayNoStrings(); }
        void displayTunedString(std::int64_t string) override {
            t.indicator.displayTunedString(string);
        }
        void play1stSoundOnce() override { t.tunedStrings.confirm(1); }
        void play2ndSoundOnce() override { t.tunedStrings.confirm(2); }
        void play3rdSoundOnce() override { t.tunedStrings.confirm(3); }
        void play4thSoundOnce() override { t.tunedStrings.confirm(4); }
        void play5thSoundOnce() override { t.tunedStrings.confirm(5); }
    };

    testing::HeadlessScreen screen;  // a 667-point phone
    TunerState state;
    TunedStringIndicator indicator{screen.outlets, screen.device, screen.services.images};
    TunedStrings tunedStrings{state, screen.services.runLoop};
    Hooks hooks{*this};
    TunerTick tick{screen.outlets, screen.microphone, state, hooks, screen.services.images};
};

TEST_F(TunerTickTest, MatchShowsTheStringThenCallsItsHook) {
    EXPECT_THAT(
        writesAt(0.0046f, 293.5f),
        ElementsAre("freq_label text \"293.5Hz\"", "tunedString hidden 0", "tunedString5 hidden 0",
                    "tunedStringiPad hidden 0", "noteDisplay text \"D4\"",
                    "tunedString5 image \"1st_string_6.png\"", "LEDDisplay image \"green64.png\"",
                    "LEDDisplay128 image \"green128.png\"", "freq_label text \"293.6Hz\"",
                    "perform resetTuningBools after 5.000"));
    EXPECT_TRUE(state.tunedFlags[0]);

    // The string number, not the note, picks the picture and the hook.
    state.tuningIndex = 2;
    writesAt(0.0046f, 293.5f);
    EXPECT_EQ(screen.image("tunedString5"), "2nd_string_6.png");
    EXPECT_TRUE(state.tunedFlags[1]);
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
    writesAt(0.01f, 196.0f);  // string 3
    EXPECT_THAT(writesAt(0.01f, 300.0f), ElementsAre("freq_label text \"300.0Hz\""));
    EXPECT_THAT(writesAt(0.01f, 0.0f), ElementsAre("freq_label text \"0.0Hz\""));
    EXPECT_EQ(screen.text("noteDisplay"), "G3");
    EXPECT_EQ(screen.image("LEDDisplay"), "green64.png");
    EXPECT_EQ(unmatched, 2);
    writesAt(0.003f, 300.0f);
    writesAt(0.001f, 300.0f);
    EXPECT_EQ(unmatched, 2);
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
