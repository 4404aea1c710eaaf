#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/storyboard.h"
#include "platform/view_toolkit.h"
#include "trace/trace_sink.h"

namespace strumwise::platform::trace {

// Tracing decorators for the views: each write is traced under the outlet's name and then
// passed to the wrapped view, whatever toolkit that view belongs to.

class TracedLabel final : public Label {
  public:
    TracedLabel(Label& inner, std::string outlet, TraceSink& sink)
        : inner_(inner), outlet_(std::move(outlet)), sink_(sink) {}
    void setText(std::string_view text) override;

  private:
    Label& inner_;
    std::string outlet_;
    TraceSink& sink_;
};

class TracedImageView final : public ImageView {
  public:
    TracedImageView(ImageView& inner, std::string outlet, TraceSink& sink)
        : inner_(inner), outlet_(std::move(outlet)), sink_(sink) {}
    void setImage(ImageRef image) override;
    void setHidden(bool hidden) override;

  private:
    ImageView& inner_;
    std::string outlet_;
    TraceSink& sink_;
};

class TracedButton final : public Button {
  public:
    TracedButton(Button& inner, std::string outlet, TraceSink& sink)
        : inner_(inner), outlet_(std::move(outlet)), sink_(sink) {}
    void setTitle(std::string_view title) override;
    void setHidden(bool hidden) override;

  private:
    Button& inner_;
    std::string outlet_;
    TraceSink& sink_;
};

// The tuning meter traced as `tuningMeter value "3 G3 +20.4"` (string, note, cents to one
// decimal), idle as `tuningMeter value ""`. Only a change of that text is traced: the meter is
// drawn every tick, and a trace line per tick would bury the rest.
class TracedTuningMeter final : public TuningMeter {
  public:
    TracedTuningMeter(TuningMeter& inner, std::string outlet, TraceSink& sink)
        : inner_(inner), outlet_(std::move(outlet)), sink_(sink) {}
    void show(const TuningMeterReading& reading) override;

  private:
    TuningMeter& inner_;
    std::string outlet_;
    TraceSink& sink_;
    std::optional<std::string> traced_;
};

// The level meter traced by the band the level falls in, `levelMeter value "silent"`, "quiet"
// (between the two thresholds) or "measuring", each time the band changes. The level itself moves
// every tick and says nothing a test could hold on to.
class TracedLevelMeter final : public LevelMeter {
  public:
    TracedLevelMeter(LevelMeter& inner, std::string outlet, TraceSink& sink)
        : inner_(inner), outlet_(std::move(outlet)), sink_(sink) {}
    void show(const LevelMeterReading& reading) override;

  private:
    LevelMeter& inner_;
    std::string outlet_;
    TraceSink& sink_;
    std::string_view traced_;
};

// The screen's look traced as `screenLook value "stale"` ("silence", "measuring", "inTune" or
// "stale"), once per change; announcements are for assistive technology and stay out of it.
class TracedScreenLook final : public ScreenLookView {
  public:
    TracedScreenLook(ScreenLookView& inner, std::string outlet, TraceSink& sink)
        : inner_(inner), outlet_(std::move(outlet)), sink_(sink) {}
    void show(ScreenLook look) override;
    void announce(ScreenLook look, const TuningMeterReading& reading) override {
        inner_.announce(look, reading);
    }

  private:
    ScreenLookView& inner_;
    std::string outlet_;
    TraceSink& sink_;
};

// The trace's words for a meter reading and its level band; a look's are screenLookName's.
std::string tuningMeterText(const TuningMeterReading& reading);
std::string_view levelMeterBand(const LevelMeterReading& reading);

// A storyboard whose views are traced: asking for an outlet answers a traced wrapper around the
// wrapped storyboard's view (the same wrapper every time), and each delivered action is traced
// as `press <action>` before it reaches the handler.
class TracedStoryboard final : public Storyboard {
  public:
    TracedStoryboard(Storyboard& inner, std::string name, TraceSink& sink)
        : inner_(inner), name_(std::move(name)), sink_(sink) {}

    Storyboard& inner() { return inner_; }
    const std::string& name() const { return name_; }

    Label* label(std::string_view outlet) override;
    ImageView* imageView(std::string_view outlet) override;
    Button* button(std::string_view outlet) override;
    TuningMeter* tuningMeter(std::string_view outlet) override;
    LevelMeter* levelMeter(std::string_view outlet) override;
    ScreenLookView* screenLook(std::string_view outlet) override;
    // The picture of the meter's last seconds is drawn from the meter's readings, which the trace
    // already holds: it is passed through untraced.
    ReadingHistoryView* readingHistory(std::string_view outlet) override {
        return inner_.readingHistory(outlet);
    }
    void setActionHandler(std::function<void(std::string_view action)> handler) override;

  private:
    Storyboard& inner_;
    std::string name_;
    TraceSink& sink_;
    std::map<std::string, std::unique_ptr<TracedLabel>, std::less<>> labels_;
    std::map<std::string, std::unique_ptr<TracedImageView>, std::less<>> imageViews_;
    std::map<std::string, std::unique_ptr<TracedButton>, std::less<>> buttons_;
    std::map<std::string, std::unique_ptr<TracedTuningMeter>, std::less<>> tuningMeters_;
    std::map<std::string, std::unique_ptr<TracedLevelMeter>, std::less<>> levelMeters_;
    std::map<std::string, std::unique_ptr<TracedScreenLook>, std::less<>> screenLooks_;
};

// Windows whose storyboards are traced; installing one is traced as `window install "<name>"`.
class TracedWindows final : public Windows {
  public:
    TracedWindows(Windows& inner, TraceSink& sink) : inner_(inner), sink_(sink) {}

    Storyboard* loadStoryboard(std::string_view name) override;
    void installWindow(Storyboard& storyboard) override;

  private:
    Windows& inner_;
    TraceSink& sink_;
    std::map<std::string, std::unique_ptr<TracedStoryboard>, std::less<>> storyboards_;
};

}  // namespace strumwise::platform::trace
