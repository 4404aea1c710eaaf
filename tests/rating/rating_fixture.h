#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adapters/headless/headless_platform.h"
#include "adapters/headless/rating_alerts.h"
#include "adapters/headless/rating_notifications.h"
#include "adapters/headless/rating_views.h"
#include "rating/rating_prompt.h"
#include "rating_fakes.h"

namespace strumwise::rating::testing {

inline constexpr double kDay = 86400.0;

inline const std::string kAlertText =
    R"("Rate Strumwise" "If you enjoy using Strumwise, would you mind taking a moment to rate )"
    R"(it? It won't take more than a minute. Thanks for your support!")";

// A rating prompt of its own on the headless platform: virtual time, in-memory defaults, the
// trace, scripted alerts in the main window; the network and the store are fakes.
class RatingTest : public ::testing::Test {
  protected:
    RatingTest()
        : headless([this] {
              platform::headless::HeadlessConfig config;
              config.traceWriter = [this](std::string_view line) { lines.emplace_back(line); };
              return config;
          }()) {
        settings.setAppId("1163842075");
    }

    // The prompt, created on first use so that a test can choose the answer, the alert style
    // and the system version first.
    RatingPrompt& prompt() {
        if (!prompt_) {
            prompt_ = std::make_unique<RatingPrompt>(services(), settings);
        }
        return *prompt_;
    }

    RatingServices services(platform::Bundle* mainBundle = nullptr) {
        if (!alerts_) {
            alerts_.emplace(runLoop(), headless.trace(), answer, controllerStyle);
        }
        platform::Services& c = headless.services();
        return {c.log,      c.clock,      c.runLoop,     c.dispatch,
                c.defaults, c.device,     c.application, mainBundle ? *mainBundle : c.bundle,
                nullptr,    *alerts_,     store,         network,
                views,      notifications};
    }

    void advance(double seconds) {
        runLoop().advanceBy(platform::headless::secondsToMicros(seconds));
    }
    double now() { return headless.clock().now(); }
    platform::headless::VirtualRunLoop& runLoop() { return headless.runLoop(); }
    // The store behind the traced one, for the test's own reads and writes.
    platform::UserDefaults& defaults() { return headless.store(); }
    std::vector<std::string> logLines() { return headless.log().lines(); }
    bool traced(const std::string& line) const { return std::ranges::count(lines, line) > 0; }
    // Lines of the trace that contain `part`.
    int tracedCount(std::string_view part) const {
        return static_cast<int>(std::ranges::count_if(
            lines, [part](const std::string& line) { return line.find(part) != line.npos; }));
    }

    std::vector<std::string> lines;
    platform::headless::HeadlessPlatform headless;
    platform::headless::AlertAnswer answer = platform::headless::AlertAnswer::None;
    bool controllerStyle = true;
    FakeNetwork network;
    FakeStore store;
    platform::headless::HeadlessViewHierarchy views;
    platform::headless::HeadlessAppNotifications notifications;
    RatingSettings settings;

  private:
    std::optional<platform::headless::HeadlessAlerts> alerts_;
    std::unique_ptr<RatingPrompt> prompt_;
};

}  // namespace strumwise::rating::testing
