#include "screen/audio_status_banner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/headless_screen.h"
#include "tones/fakes.h"

namespace strumwise::screen {
namespace {

using Mic = Microphone::Status;

// One problem at a time, the tone's first; the label is written only when what it says changes,
// so a screen where all is well never sees it.
TEST(AudioStatusBanner, ShowsTheMostPressingProblemAndWritesOnlyOnChange) {
    testing::HeadlessScreen screen;
    tones::testing::FakeFactory output;
    tones::ToneGenerator generator;
    tones::ToneUnit toneUnit(output, generator);
    toneUnit.setupAudio();
    AudioStatusBanner banner(screen.outlets.audioStatusLabel, screen.services.bundle,
                             screen.microphone, toneUnit);
    screen.take();

    struct Step {
        Mic microphone;
        bool playing;
        bool startFails;
        std::vector<std::string> trace;
    };
    const std::vector<Step> steps = {
        {Mic::Fine, false, false, {}},
        {Mic::Missing, false, false, {R"(audioStatusLabel text "No microphone")"}},
        {Mic::Missing, false, false, {}},
        {Mic::Lost,
         true,
         false,
         {"audioStatusLabel text \"Microphone lost \u2014 reconnecting\u2026\""}},
        {Mic::Lost, true, true, {R"(audioStatusLabel text "No audio output")"}},
        {Mic::Lost,
         false,
         true,
         {"audioStatusLabel text \"Microphone lost \u2014 reconnecting\u2026\""}},
        {Mic::Fine, false, false, {R"(audioStatusLabel text "")"}},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        screen.microphone.setStatus(step.microphone);
        output.startFails = step.startFails;
        step.playing ? toneUnit.start() : toneUnit.stop();
        banner.refresh();
        EXPECT_THAT(screen.take(), ::testing::ElementsAreArray(step.trace)) << "step " << i;
    }

    // A tone whose output unit could not be made cannot sound either.
    output.hasUnit = false;
    tones::ToneUnit noUnit(output, generator);
    noUnit.setupAudio();
    AudioStatusBanner noUnitBanner(screen.outlets.audioStatusLabel, screen.services.bundle,
                                   screen.microphone, noUnit);
    noUnit.start();
    noUnitBanner.refresh();
    EXPECT_EQ(screen.text("audioStatusLabel"), "No audio output");
}

}  // namespace
}  // namespace strumwise::screen
