#include "tones/fork_buttons.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "adapters/headless/memory_views.h"
#include "tones/fakes.h"

namespace strumwise::tones {
namespace {

using Calls = std::vector<std::string>;

// The screen a ForkButtons sees, with a unit already set up and silent.
struct ForkScreen {
    std::array<platform::headless::MemoryButton, 5> buttons;
    platform::headless::MemoryLabel note, freq;
    tuner::TunerState tuner;
    ToneGenerator generator;
    testing::FakeFactory factory;
    ToneUnit unit{factory, generator};
    ForkButtons forks{outlets(), tuner, generator, unit};
    std::vector<float> stored;

    explicit ForkScreen(std::uint64_t tuning = 1) {
        tuner.tuningIndex = tuning;
        unit.setupAudio();
        factory.calls.clear();
        generator.setFrequencyObserver([this](float hz) { stored.push_back(hz); });
    }
    view::Outlets outlets() {
        view::Outlets o;
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

TEST(ForkButtons, EachActionShowsAndPlaysItsStringInEveryTuning) {
    // What each button shows and plays, written out by hand rather than taken from the tuning
    // table.
    constexpr const char* kForks[4][2] = {
        {"D4 B3 G3 D3 G4", "293.6 246.9 196 146.8 392"},
        {"E4 D4 A3 D3 A4", "329.6 293.6 220 146.8 440"},
        {"D4 C4 G3 C3 G4", "293.6 261.6 196 130.8 392"},
        {"D4 C4 G3 D3 G4", "293.6 261.6 196 146.8 392"},
    };
    const std::array<std::string_view, 5> actions{
        "playD293_6Hz:", "playB246_9Hz:", "playG196Hz:", "playD146_8Hz:", "playG392Hz:"};
    for (std::uint64_t tuning = 1; tuning <= 4; ++tuning) {
        ForkScreen screen(tuning);
        screen.forks.displayTuningForkButtons();
        std::istringstream notes(kForks[tuning - 1][0]), hertz(kForks[tuning - 1][1]);
        for (std::size_t k = 0; k < 5; ++k) {
            std::string note, hz;
            notes >> note;
            hertz >> hz;
            SCOPED_TRACE("tuning " + std::to_string(tuning) + " string " + std::to_string(k + 1));
            EXPECT_EQ(screen.buttons[k].title(), note);
            EXPECT_TRUE(screen.forks.sendAction(actions[k]));
            EXPECT_EQ(screen.note.text(), note);
            EXPECT_EQ(screen.freq.text(), hz + "Hz");
            EXPECT_EQ(screen.stored.back(), std::stof(hz));
            EXPECT_EQ(screen.generator.toneFrequency(), std::stof(hz));
        }
        // Every press starts the unit, even while it plays; switching strings never stops it.
        EXPECT_EQ(screen.factory.calls, Calls(5, "start"));
        EXPECT_EQ(screen.forks.curPlayState(), ForkButtons::kPlaying);
        // Stop is issued once, while playing only, and the labels stay.
        EXPECT_TRUE(screen.forks.sendAction("stopFreqPlay:"));
        screen.forks.stopFreqPlay();
        EXPECT_EQ(screen.factory.calls.back(), "stop");
        EXPECT_EQ(screen.factory.calls.size(), 6u);
        EXPECT_EQ(screen.forks.curPlayState(), ForkButtons::kSilent);
        EXPECT_EQ(screen.note.text(), screen.buttons[4].title());
    }
}

// The forks play what the strings sound: at A4 = 444 with a capo at 2 in open G, string 3 is A3
// at 444 Hz and the open drone stays G4, at 444 x 2^(-2/12).
TEST(ForkButtons, PlayTheReferencePitchCapoAndSpikeTheyAreSetTo) {
    ForkScreen screen;
    tuner::PlayerSettings settings;
    settings.referenceTenths = 4440;
    settings.capoFret = 2;
    screen.tuner.setup.apply(settings);
    screen.forks.displayTuningForkButtons();
    EXPECT_EQ(screen.buttons[2].title(), "A3");
    screen.forks.playG196Hz();
    EXPECT_EQ(screen.note.text(), "A3");
    EXPECT_EQ(screen.freq.text(), "222Hz");
    EXPECT_EQ(screen.stored.back(), 222.0f);
    screen.forks.playG392Hz();
    EXPECT_EQ(screen.freq.text(), "395.6Hz");
    EXPECT_FLOAT_EQ(screen.stored.back(), static_cast<float>(444.0 * std::pow(2.0, -2.0 / 12)));
}

// Nothing playing, there is nothing to stop.
TEST(ForkButtons, UnknownTuningStringOrActionAndStopWhileSilentChangeNothing) {
    for (const std::uint64_t tuning : {std::uint64_t{0}, std::uint64_t{5}}) {
        ForkScreen screen;
        screen.forks.stopFreqPlay();
        screen.forks.displayTuningForkButtons();
        screen.forks.play(0);
        screen.forks.play(6);
        EXPECT_FALSE(screen.forks.sendAction("showNextTuning:"));
        screen.tuner.tuningIndex = tuning;
        screen.forks.displayTuningForkButtons();
        screen.forks.play(1);
        EXPECT_EQ(screen.buttons[0].title(), "D4");
        EXPECT_EQ(screen.note.text(), "");
        EXPECT_TRUE(screen.stored.empty());
        EXPECT_EQ(screen.forks.curPlayState(), ForkButtons::kSilent);
        EXPECT_TRUE(screen.factory.calls.empty());
    }
}

}  // namespace
}  // namespace strumwise::tones
