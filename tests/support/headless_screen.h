#pragma once

// The main screen on the headless platform, for tests of the screen logic: every service, a
// layout with every outlet, a microphone the test controls, and the trace of what happened, in
// order, without time stamps (`freq_label text "293.5Hz"`, `microphone listen`).

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "screen/microphone.h"
#include "screen/outlet_binding.h"

namespace strumwise::testing {

namespace headless = platform::headless;

// The trace lines so far.
class Journal {
  public:
    void add(std::string_view line) { lines_.emplace_back(line); }
    // The lines without their time, and forgets them.
    std::vector<std::string> take() {
        std::vector<std::string> lines;
        for (const auto& line : lines_) {
            lines.push_back(line.substr(line.find(' ') + 1));
        }
        lines_.clear();
        return lines;
    }
    // The lines with their virtual time, and forgets them.
    std::vector<std::string> takeTimed() { return std::exchange(lines_, {}); }

  private:
    std::vector<std::string> lines_;
};

// A microphone that answers whatever level and pitch the test sets, and traces each call.
class FakeMicrophone final : public screen::Microphone {
  public:
    explicit FakeMicrophone(headless::TraceSink& sink) : sink_(sink) {}
    void set(float power, float hertz) {
        power_ = power;
        hertz_ = hertz;
    }
    void listen() override { sink_.emit("microphone", "listen"); }
    float averagePower() override {
        sink_.emit("microphone", "averagePower");
        return power_;
    }
    float frequency() override {
        sink_.emit("microphone", "frequency");
        return hertz_;
    }

  private:
    headless::TraceSink& sink_;
    float power_ = 0.0f;
    float hertz_ = 0.0f;
};

class HeadlessScreen {
  public:
    explicit HeadlessScreen(headless::ScreenProfile profile = {})
        : platform_(configFor(profile, journal)) {}

    Journal journal;

  private:
    static headless::HeadlessConfig configFor(headless::ScreenProfile profile, Journal& journal) {
        headless::HeadlessConfig config;
        config.screen = profile;
        config.traceWriter = [&journal](std::string_view line) { journal.add(line); };
        return config;
    }
    headless::HeadlessPlatform platform_;

  public:
    // The traced services, as the application gets them.
    platform::Services& services = platform_.services();
    headless::VirtualRunLoop& runLoop = platform_.runLoop();
    headless::HeadlessDevice& device = platform_.device();
    headless::HeadlessBundle& bundle = platform_.bundle();
    platform::UserDefaults& defaults = platform_.store();
    FakeMicrophone microphone{platform_.trace()};

    platform::Storyboard& storyboard = *platform_.windows().loadStoryboard("Main_iPhone6");
    const headless::HeadlessStoryboard& layout =
        *platform_.headlessWindows().loaded("Main_iPhone6");
    screen::Outlets outlets = screen::bindOutlets(storyboard);

    void advance(double seconds) { runLoop.advanceBy(headless::secondsToMicros(seconds)); }

    // What the screen shows now, by outlet name.
    std::string text(std::string_view outlet) const { return layout.labelState(outlet)->text(); }
    std::optional<std::string> image(std::string_view outlet) const {
        return layout.imageViewState(outlet)->imageName();
    }
    bool imageHidden(std::string_view outlet) const {
        return layout.imageViewState(outlet)->hidden();
    }
    std::string title(std::string_view outlet) const { return layout.buttonState(outlet)->title(); }
    bool buttonHidden(std::string_view outlet) const {
        return layout.buttonState(outlet)->hidden();
    }
};

}  // namespace strumwise::testing
