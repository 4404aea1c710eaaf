#include <gtest/gtest.h>

#include <memory>

#include "pitch/mic_listener.h"
#include "platform/headless/headless_platform.h"
#include "screen/outlet_binding.h"
#include "screen/view_controller.h"
#include "support/test_signals.h"

namespace strumwise::screen {
namespace {

namespace headless = platform::headless;

// The application's own wiring: the process-wide listener, tuner state and tone generator,
// with a plucked D4 as the microphone. (The shared listener can be configured once per
// process, so this is the only test of it here.)
TEST(ApplicationController, PluckedD4OnTheSharedListenerLightsTheFirstString) {
    headless::HeadlessConfig config;
    config.screen = {0, 667};
    headless::HeadlessPlatform platform(std::move(config));
    auto signal = std::make_shared<headless::MicrophoneSignal>();
    signal->samples = testing::pluckedString(293.66, 1.5);
    platform.audioInput().setSignal(signal);
    pitch::MicListener::configureShared(platform.services().audioInput,
                                        platform.services().audioSession, platform.services().log);

    auto controller = ViewController::createForApplication(
        platform.services(), bindOutlets(*platform.windows().loadStoryboard("Main_iPhone6")));
    controller->viewDidLoad();
    controller->viewWillAppear(false);
    platform.runLoop().runUntil(headless::secondsToMicros(1.0));

    const auto& layout = *platform.headlessWindows().loaded("Main_iPhone6");
    EXPECT_EQ(layout.labelState("noteDisplay")->text(), "D4");
    EXPECT_EQ(layout.labelState("freq_label")->text(), "293.6Hz");
    EXPECT_EQ(layout.imageViewState("tunedString5")->imageName(), "1st_string_6.png");
    EXPECT_EQ(layout.imageViewState("LEDDisplay")->imageName(), "green64.png");
    EXPECT_TRUE(tuner::TunerState::shared().tunedFlags[0]);

    // Long after the pluck has died away the screen shows silence.
    platform.runLoop().runUntil(headless::secondsToMicros(3.0));
    EXPECT_EQ(layout.labelState("freq_label")->text(), "");
    EXPECT_EQ(layout.imageViewState("LEDDisplay")->imageName(), "yellow64.png");
}

}  // namespace
}  // namespace strumwise::screen
