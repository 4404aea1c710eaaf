#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/headless/headless_application.h"
#include "platform/headless/headless_bundle.h"
#include "platform/headless/headless_device.h"
#include "platform/headless/headless_log.h"
#include "platform/headless/memory_user_defaults.h"
#include "platform/headless/virtual_clock.h"
#include "platform/headless/virtual_dispatch.h"
#include "platform/headless/virtual_run_loop.h"
#include "rating/rating_prompt.h"
#include "rating/rating_services.h"
#include "rating/rating_settings.h"
#include "rating_fakes.h"

namespace strumwise::rating::testing {

inline constexpr double kDay = 86400.0;

// A rating prompt of its own on the headless platform (virtual time, in-memory defaults) and
// the fakes above. Background and serial queues run on the virtual clock: settle() runs them.
class RatingTest : public ::testing::Test {
  protected:
    RatingTest() { window.window.level = 0.0; }

    RatingServices services() {
        return RatingServices{.log = log,
                              .clock = clock,
                              .runLoop = runLoop,
                              .dispatch = dispatch,
                              .defaults = defaults,
                              .device = device,
                              .application = application,
                              .mainBundle = bundle,
                              .ratingPromptBundle = ratingPromptBundle,
                              .alerts = alerts,
                              .store = store,
                              .network = network,
                              .views = views,
                              .notifications = notifications};
    }

    // The prompt, created on first use so that a test can set the device up first.
    RatingPrompt& prompt() {
        if (!prompt_) {
            prompt_ = std::make_unique<RatingPrompt>(services(), settings);
        }
        return *prompt_;
    }

    // The settings the application gives the prompt at every launch.
    void useLaunchSettings() {
        settings.setAppId("1163842075");
        settings.setDaysUntilPrompt(1.0);
        settings.setUsesUntilPrompt(2);
        settings.setSignificantEventsUntilPrompt(-1);
        settings.setTimeBeforeReminding(1.0);
        prompt().setOpenInAppStore(true);
    }

    // One application window with one root controller, as the key window.
    void installAppWindow() {
        views.key = &window.window;
        views.all = {&window.window};
    }

    // Runs everything due now: queued reports and what they post to the main thread.
    void settle() { runLoop.runPending(); }

    platform::headless::VirtualRunLoop runLoop;
    platform::headless::VirtualClock clock{runLoop};
    platform::headless::VirtualDispatch dispatch{runLoop};
    platform::headless::MemoryUserDefaults defaults;
    platform::headless::HeadlessDevice device;
    platform::headless::HeadlessApplication application;
    platform::headless::HeadlessBundle bundle;
    platform::headless::HeadlessLog log;
    const platform::Bundle* ratingPromptBundle = nullptr;
    FakeAlerts alerts;
    FakeStore store;
    FakeNetwork network;
    FakeViewHierarchy views;
    FakeNotifications notifications;
    AppWindow window;
    RatingSettings settings;

  private:
    std::unique_ptr<RatingPrompt> prompt_;
};

}  // namespace strumwise::rating::testing
