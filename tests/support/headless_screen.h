#pragma once

// The main screen on the headless platform for tests of the screen logic: every service, a
// layout with every outlet, a microphone the test controls, and the trace in order, without
// time stamps (`freq_label text "293.5Hz"`, `microphone listen`).

#include <optional>
#include <string>
#include <vector>

#include "adapters/headless/headless_platform.h"
#include "screen/microphone.h"
#include "screen/outlet_binding.h"

namespace strumwise::testing {

namespace headless = platform::headless;

class FakeMicrophone final : public screen::Microphone {
  public:
    explicit FakeMicrophone(platform::trace::TraceSink& sink) : sink_(sink) {}
    // The level and the estimate; the note reading is then sure of a note at that exact pitch
    // (none at 0 Hz), unless setReading says otherwise afterwards.
    void set(float power, float hertz) {
        power_ = power;
        hertz_ = hertz;
        reading_ = hertz > 0.0f ? pitch::NoteReading{pitch::NoteReading::Verdict::Note, hertz}
                                : pitch::NoteReading{};
    }
    void setReading(pitch::NoteReading reading) { reading_ = reading; }
    void setStatus(Status status) { status_ = status; }
    void setNote(std::string note) { note_ = std::move(note); }
    void listen() override { sink_.emit("microphone", "listen"); }
    Status status() override { return status_; }
    std::string note() override { return note_; }
    float averagePower() override {
        sink_.emit("microphone", "averagePower");
        return power_;
    }
    float frequency() override {
        sink_.emit("microphone", "frequency");
        return hertz_;
    }
    pitch::NoteReading noteReading() override { return reading_; }

  private:
    platform::trace::TraceSink& sink_;
    float power_ = 0.0f;
    float hertz_ = 0.0f;
    pitch::NoteReading reading_;
    Status status_ = Status::Fine;
    std::string note_;
};

class HeadlessScreen {
    std::vector<std::string> lines_;
    headless::HeadlessPlatform platform_;

    static headless::HeadlessConfig configFor(headless::ScreenProfile profile,
                                              std::vector<std::string>& lines) {
        headless::HeadlessConfig config;
        config.screen = profile;
        config.traceWriter = [&lines](std::string_view line) {
            lines.emplace_back(line.substr(line.find(' ') + 1));
        };
        return config;
    }

  public:
    explicit HeadlessScreen(headless::ScreenProfile profile = {})
        : platform_(configFor(profile, lines_)) {}

    platform::Services& services = platform_.services();
    headless::VirtualRunLoop& runLoop = platform_.runLoop();
    headless::HeadlessDevice& device = platform_.device();
    platform::UserDefaults& defaults = platform_.store();
    FakeMicrophone microphone{platform_.trace()};
    view::Outlets outlets = screen::bindOutlets(*platform_.windows().loadStoryboard("Main"));
    const headless::HeadlessStoryboard& layout = *platform_.headlessWindows().loaded("Main");

    // The trace since the last call.
    std::vector<std::string> take() { return std::exchange(lines_, {}); }
    void advance(double seconds) { runLoop.advanceBy(headless::secondsToMicros(seconds)); }
    std::string localized(std::string_view key) const {
        return services.bundle.localizedString(key, "", "");
    }

    // What the screen shows now, by outlet name.
    std::string text(std::string_view outlet) const { return layout.labelState(outlet)->text(); }
    std::optional<std::string> image(std::string_view outlet) const {
        return layout.imageViewState(outlet)->imageName();
    }
    std::string title(std::string_view outlet) const { return layout.buttonState(outlet)->title(); }
    bool buttonHidden(std::string_view outlet) const {
        return layout.buttonState(outlet)->hidden();
    }
};

}  // namespace strumwise::testing
