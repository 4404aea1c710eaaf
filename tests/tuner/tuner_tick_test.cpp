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
    // One tick at this level and pitch; answers what it wrote, in order.
    std::vector<std::string> tickAt(float power, float hertz) {
        screen.journal.take();
        screen.microphone.set(power, hertz);
        tick.tickFree();
        std::vector<std::string> writes;
        for (auto& line : screen.journal.take()) {
            if (line.rfind("microphone ", 0) != 0) {
                writes.push_back(std::move(line));
            }
        }
        return writes;
    }

    void expectSilenceLook() const {
        EXPECT_EQ(screen.text("freq_label"), "");
        EXPECT_EQ(screen.text("noteDisplay"), "");
        EXPECT_TRUE(screen.imageHidden("tunedString"));
        EXPECT_TRUE(screen.imageHidden("tunedString5"));
        EXPECT_TRUE(screen.imageHidden("tunedStringiPad"));
        EXPECT_EQ(screen.image("LEDDisplay"), "yellow64.png");
        EXPECT_EQ(screen.image("LEDDisplay128"), "yellow128.png");
    }

    testing::HeadlessScreen screen;  // a 667-point phone
    TunerState state;
    TunedStringIndicator indicator{screen.outlets, screen.device, screen.services.images};
    TunedStrings tunedStrings{state, screen.services.runLoop};
    TunerTick tick{screen.outlets, screen.microphone, state,
                   indicator,      tunedStrings,      screen.services.images};
};

TEST_F(TunerTickTest, ReadsPowerThenFrequencyOnEveryTick) {
    for (const float power : {0.0f, 0.003f, 0.01f}) {
        screen.journal.take();
        screen.microphone.set(power, 293.5f);
        tick.tickFree();
        const auto lines = screen.journal.take();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[0], "microphone averagePower");
        EXPECT_EQ(lines[1], "microphone frequency");
    }
}

TEST_F(TunerTickTest, QuietTickShowsSilenceAndIgnoresAMatchingPitch) {
    tickAt(0.01f, 293.5f);
    EXPECT_THAT(
        tickAt(0.001f, 293.5f),
        ElementsAre("freq_label text \"\"", "noteDisplay text \"\"", "tunedString hidden 1",
                    "tunedString5 hidden 1", "tunedStringiPad hidden 1",
                    "LEDDisplay image \"yellow64.png\"", "LEDDisplay128 image \"yellow128.png\""));
    expectSilenceLook();
}

TEST_F(TunerTickTest, DeadBandIncludesBothThresholds) {
    // The level is a float: 0.002f and 0.0045f are the closest a meter can say to the
    // thresholds, and the next float below or above falls on the other side.
    EXPECT_THAT(tickAt(0.002f, 293.5f), IsEmpty());
    EXPECT_THAT(tickAt(0.0045f, 293.5f), IsEmpty());
    EXPECT_THAT(tickAt(0.003f, 300.0f), IsEmpty());

    const auto belowSilence = std::nextafter(0.002f, 0.0f);
    EXPECT_LT(static_cast<double>(belowSilence), TunerTick::kSilenceBelow);
    EXPECT_EQ(tickAt(belowSilence, 293.5f).size(), 7u);

    const auto aboveDeadBand = std::nextafter(0.0045f, 1.0f);
    EXPECT_GT(static_cast<double>(aboveDeadBand), TunerTick::kMeasureAbove);
    EXPECT_EQ(tickAt(aboveDeadBand, 300.0f),
              std::vector<std::string>{"freq_label text \"300.0Hz\""});
}

TEST_F(TunerTickTest, MatchShowsTheStringInItsOrder) {
    EXPECT_THAT(
        tickAt(0.0046f, 293.5f),
        ElementsAre("freq_label text \"293.5Hz\"", "tunedString hidden 0", "tunedString5 hidden 0",
                    "tunedStringiPad hidden 0", "noteDisplay text \"D4\"",
                    "tunedString5 image \"1st_string_6.png\"", "LEDDisplay image \"green64.png\"",
                    "LEDDisplay128 image \"green128.png\"", "freq_label text \"293.6Hz\"",
                    "perform resetTuningBools after 5.000"));
    EXPECT_TRUE(state.tunedFlags[0]);
    EXPECT_TRUE(state.confirmationLatches[0]);
    EXPECT_EQ(screen.runLoop.pendingCount(), 1u);
}

TEST_F(TunerTickTest, TheStringNumberNotTheNoteChoosesPictureAndHook) {
    state.tuningIndex = 2;
    tickAt(0.0046f, 293.5f);
    EXPECT_EQ(screen.text("noteDisplay"), "D4");
    EXPECT_EQ(screen.image("tunedString5"), "2nd_string_6.png");
    EXPECT_EQ(screen.text("freq_label"), "293.6Hz");
    EXPECT_FALSE(state.tunedFlags[0]);
    EXPECT_TRUE(state.tunedFlags[1]);
}

TEST_F(TunerTickTest, EveryStringOfEveryTuningMatchesAtItsReference) {
    for (std::uint64_t tuning = 1; tuning <= kTuningCount; ++tuning) {
        state.tuningIndex = tuning;
        for (int string = 1; string <= kStringCount; ++string) {
            const Note& note = *noteOf(tuning, string);
            tickAt(0.01f, note.referenceFrequency);
            EXPECT_EQ(screen.text("noteDisplay"), note.name);
            EXPECT_EQ(screen.text("freq_label"), note.referenceLabel);
            EXPECT_TRUE(state.tunedFlags[static_cast<std::size_t>(string - 1)]);
        }
    }
}

TEST_F(TunerTickTest, LoudUnmatchedTickOnlyRewritesFrequency) {
    int unmatched = 0;
    tick.setUnmatchedLoudTickHandler([&] { ++unmatched; });
    tickAt(0.01f, 196.0f);  // string 3, G3
    ASSERT_EQ(screen.text("noteDisplay"), "G3");
    EXPECT_EQ(unmatched, 0);

    EXPECT_THAT(tickAt(0.01f, 300.0f), ElementsAre("freq_label text \"300.0Hz\""));
    EXPECT_EQ(unmatched, 1);
    EXPECT_THAT(tickAt(0.003f, 300.0f), IsEmpty());
    EXPECT_THAT(tickAt(0.01f, 500.0f), ElementsAre("freq_label text \"500.0Hz\""));
    EXPECT_EQ(unmatched, 2);
    EXPECT_EQ(screen.text("noteDisplay"), "G3");
    EXPECT_EQ(screen.image("tunedString5"), "3rd_string_6.png");
    EXPECT_FALSE(screen.imageHidden("tunedString5"));
    EXPECT_EQ(screen.image("LEDDisplay"), "green64.png");

    tickAt(0.001f, 500.0f);
    expectSilenceLook();
    // Neither silence nor the dead band asks for a review.
    EXPECT_EQ(unmatched, 2);
}

TEST_F(TunerTickTest, NoBlockYetShowsZeroHertz) {
    EXPECT_THAT(tickAt(0.01f, 0.0f), ElementsAre("freq_label text \"0.0Hz\""));
}

TEST_F(TunerTickTest, UnknownTuningLeavesTheScreenAloneEvenInSilence) {
    int unmatched = 0;
    tick.setUnmatchedLoudTickHandler([&] { ++unmatched; });
    for (const std::uint64_t tuning : {std::uint64_t{0}, std::uint64_t{5}}) {
        state.tuningIndex = tuning;
        screen.journal.take();
        screen.microphone.set(0.0f, 0.0f);
        tick.tickFree();
        screen.microphone.set(0.01f, 293.5f);
        tick.tickFree();
        // The pitch is still estimated on every tick.
        EXPECT_THAT(screen.journal.take(),
                    ElementsAre("microphone averagePower", "microphone frequency",
                                "microphone averagePower", "microphone frequency"));
    }
    EXPECT_EQ(unmatched, 0);
    EXPECT_FALSE(state.tunedFlags[0]);
}

}  // namespace
}  // namespace strumwise::tuner
