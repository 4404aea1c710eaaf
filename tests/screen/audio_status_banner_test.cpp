#include "screen/audio_status_banner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/headless_screen.h"
#include "tones/fakes.h"
#include "trace/trace_services.h"

namespace strumwise::screen {
namespace {

using Mic = Microphone::Status;

// One problem at a time, the tone's first, and the platform's note on the microphone only while
// nothing keeps the tuner from hearing or playing; the label is written only when what it says
// changes, so a screen where all is well never sees it. The output unit is wrapped in the tracing
// decorator (--trace, --json), which must pass an outage through; the banner never asks which.
TEST(AudioStatusBannerTest, ShowsTheMostPressingProblemAndWritesOnlyOnChange) {
    testing::HeadlessScreen screen;
    tones::testing::FakeFactory fake;
    platform::trace::TraceSink toneTrace([] { return 0; }, platform::trace::TraceSink::Format::Text,
                                         [](std::string_view) {});
    platform::trace::TracedAudioOutputUnitFactory output(fake, toneTrace);
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
        std::string note = {};
    };
    const auto label = [](const std::string& text) {
        return std::vector<std::string>{"audioStatusLabel text \"" + text + "\""};
    };
    const std::string unplugged = "USB Microphone unplugged \u2014 hearing Built-in";
    const auto lost = label("Microphone lost \u2014 reconnecting\u2026");
    const auto noOutput = label("No audio output");
    const std::vector<Step> steps = {
        {Mic::Fine, false, false, {}},
        {Mic::Missing, false, false, label("No microphone")},
        {Mic::Missing, false, false, {}},
        {Mic::Lost, true, false, lost},
        {Mic::Lost, true, true, noOutput},
        {Mic::Lost, false, true, lost},
        {Mic::Fine, false, false, label("")},
        {Mic::Fine, false, false, label(unplugged), unplugged},
        {Mic::Lost, false, false, lost, unplugged},
        {Mic::Fine, true, true, noOutput, unplugged},
        {Mic::Fine, false, false, label(unplugged), unplugged},
        {Mic::Fine, false, false, label("")},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        screen.microphone.setStatus(step.microphone);
        screen.microphone.setNote(step.note);
        fake.startFails = step.startFails;
        step.playing ? toneUnit.start() : toneUnit.stop();
        banner.refresh();
        EXPECT_THAT(screen.take(), ::testing::ElementsAreArray(step.trace)) << "step " << i;
    }

    // A tone whose output unit could not be made cannot sound either.
    fake.hasUnit = false;
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
