#include "tones/fork_buttons.h"

#include <gtest/gtest.h>

#include <array>

#include "tones/fakes.h"

namespace strumwise::tones {
namespace {

using Calls = std::vector<std::string>;

// The screen a ForkButtons sees, with a unit already set up and silent.
struct ForkScreen {
    std::array<testing::FakeButton, 5> buttons;
    testing::FakeLabel note, freq;
    tuner::TunerState tuner;
    ToneGenerator generator;
    testing::FakeOutputUnitFactory factory;
    ToneUnit unit{factory, generator};
    ForkButtons forks{outlets(), tuner, generator, unit};
    std::vector<float> stored;

    ForkScreen() {
        unit.setupAudio();
        factory.calls.clear();
        generator.setFrequencyObserver([this](float hz) { stored.push_back(hz); });
    }
    screen::Outlets outlets() {
        screen::Outlets o;
        o.firstFreqButton = &buttons[0];
        o.secondFreqButton = &buttons[1];
        o.thirdFreqButton = &buttons[2];
        o.fourthFreqButton = &buttons[3];
        o.fifthFreqButton = &buttons[4];
        o.tfnoteDisplay = &note;
        o.tfFreqLabel = &freq;
        return o;
    }
};

struct Cell {
    const char* note;
    const char* label;
    float hz;
};

// What each button shows and plays, written out by hand rather than taken from the tuning table.
constexpr Cell kForks[4][5] = {
    {{"D4", "293.6Hz", 293.6f},
     {"B3", "246.9Hz", 246.9f},
     {"G3", "196Hz", 196.0f},
     {"D3", "146.8Hz", 146.8f},
     {"G4", "392Hz", 392.0f}},
    {{"E4", "329.6Hz", 329.6f},
     {"D4", "293.6Hz", 293.6f},
     {"A3", "220Hz", 220.0f},
     {"D3", "146.8Hz", 146.8f},
     {"A4", "440Hz", 440.0f}},
    {{"D4", "293.6Hz", 293.6f},
     {"C4", "261.6Hz", 261.6f},
     {"G3", "196Hz", 196.0f},
     {"C3", "130.8Hz", 130.8f},
     {"G4", "392Hz", 392.0f}},
    {{"D4", "293.6Hz", 293.6f},
     {"C4", "261.6Hz", 261.6f},
     {"G3", "196Hz", 196.0f},
     {"D3", "146.8Hz", 146.8f},
     {"G4", "392Hz", 392.0f}},
};

TEST(ForkButtons, EachActionShowsAndPlaysItsStringInEveryTuning) {
    const std::array<std::string_view, 5> actions{
        "playD293_6Hz:", "playB246_9Hz:", "playG196Hz:", "playD146_8Hz:", "playG392Hz:"};
    for (std::uint64_t tuning = 1; tuning <= 4; ++tuning) {
        ForkScreen screen;
        screen.tuner.tuningIndex = tuning;
        screen.forks.displayTuningForkButtons();
        for (std::size_t k = 0; k < 5; ++k) {
            const Cell& cell = kForks[tuning - 1][k];
            EXPECT_EQ(screen.buttons[k].title, cell.note) << "tuning " << tuning;
            EXPECT_TRUE(screen.forks.sendAction(actions[k]));
            EXPECT_EQ(screen.note.text, cell.note) << "tuning " << tuning << " string " << k + 1;
            EXPECT_EQ(screen.freq.text, cell.label) << "tuning " << tuning << " string " << k + 1;
            EXPECT_EQ(screen.stored.back(), cell.hz);
            EXPECT_EQ(screen.generator.toneFrequency(), cell.hz);
        }
        // Every press starts the unit, even while it plays; switching strings never stops it.
        EXPECT_EQ(screen.factory.calls, Calls(5, "start"));
        EXPECT_EQ(screen.forks.curPlayState(), ForkButtons::kPlaying);
    }
}

TEST(ForkButtons, StopIsIssuedOnlyWhilePlaying) {
    ForkScreen screen;
    screen.forks.stopFreqPlay();
    EXPECT_TRUE(screen.factory.calls.empty());

    screen.forks.playD293_6Hz();
    EXPECT_TRUE(screen.forks.sendAction("stopFreqPlay:"));
    screen.forks.stopFreqPlay();
    EXPECT_EQ(screen.factory.calls, (Calls{"start", "stop"}));
    EXPECT_EQ(screen.forks.curPlayState(), ForkButtons::kSilent);
    EXPECT_EQ(screen.note.text, "D4");  // the labels keep the last tone
}

TEST(ForkButtons, UnknownTuningStringOrActionChangesNothing) {
    for (const std::uint64_t tuning : {std::uint64_t{0}, std::uint64_t{5}}) {
        ForkScreen screen;
        screen.forks.displayTuningForkButtons();
        screen.tuner.tuningIndex = tuning;
        screen.forks.displayTuningForkButtons();
        screen.forks.play(1);
        EXPECT_EQ(screen.buttons[0].title, "D4");
        EXPECT_EQ(screen.note.text, "");
        EXPECT_TRUE(screen.stored.empty());
        EXPECT_EQ(screen.forks.curPlayState(), ForkButtons::kSilent);
        EXPECT_TRUE(screen.factory.calls.empty());
    }
    ForkScreen screen;
    screen.forks.play(0);
    screen.forks.play(6);
    EXPECT_FALSE(screen.forks.sendAction("showNextTuning:"));
    EXPECT_TRUE(screen.factory.calls.empty());
}

}  // namespace
}  // namespace strumwise::tones
