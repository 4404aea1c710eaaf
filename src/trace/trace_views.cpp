#include "trace/trace_views.h"

#include <array>
#include <charconv>
#include <cmath>

#include "platform/screen_look_name.h"

namespace strumwise::platform::trace {
namespace {

TraceValue imageValue(const ImageRef& image) {
    return image ? TraceValue(std::string(image->name())) : TraceValue(nullptr);
}

// The wrapper for `outlet`, made on first use; nullptr when the wrapped storyboard has no view
// of that kind under that name.
template <typename Traced, typename View, typename Map>
Traced* wrapperFor(Map& wrappers, std::string_view outlet, View* view, TraceSink& sink) {
    if (view == nullptr) {
        return nullptr;
    }
    auto found = wrappers.find(outlet);
    if (found == wrappers.end()) {
        found = wrappers
                    .emplace(std::string(outlet),
                             std::make_unique<Traced>(*view, std::string(outlet), sink))
                    .first;
    }
    return found->second.get();
}

}  // namespace

void TracedLabel::setText(std::string_view text) {
    sink_.emit(outlet_, "text", std::string(text));
    inner_.setText(text);
}

void TracedImageView::setImage(ImageRef image) {
    sink_.emit(outlet_, "image", imageValue(image));
    inner_.setImage(std::move(image));
}

void TracedImageView::setHidden(bool hidden) {
    sink_.emit(outlet_, "hidden", hidden);
    inner_.setHidden(hidden);
}

void TracedButton::setTitle(std::string_view title) {
    sink_.emit(outlet_, "title", std::string(title));
    inner_.setTitle(title);
}

void TracedButton::setHidden(bool hidden) {
    sink_.emit(outlet_, "hidden", hidden);
    inner_.setHidden(hidden);
}

std::string tuningMeterText(const TuningMeterReading& reading) {
    if (reading.idle) {
        return "";
    }
    // Rounded first, so that a hair below zero reads +0.0 rather than -0.0; to_chars ignores the
    // C locale, which a toolkit may have set to a decimal comma.
    const double cents = std::round(reading.cents * 10.0) / 10.0;
    std::array<char, 400> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), std::abs(cents),
                                   std::chars_format::fixed, 1)
                         .ptr;
    // A note that is no string of the tuning has a dash for its string number.
    return (reading.chromatic ? std::string("-") : std::to_string(reading.string)) + " " +
           reading.note + " " + (cents < 0.0 ? "-" : "+") + std::string(digits.data(), end);
}

std::string_view levelMeterBand(const LevelMeterReading& reading) {
    if (reading.power < reading.silenceBelow) {
        return "silent";
    }
    return reading.power <= reading.measureAbove ? "quiet" : "measuring";
}

void TracedScreenLook::show(ScreenLook look) {
    sink_.emit(outlet_, "value", std::string(screenLookName(look)));
    inner_.show(look);
}

void TracedTuningMeter::show(const TuningMeterReading& reading) {
    std::string text = tuningMeterText(reading);
    if (text != traced_) {
        sink_.emit(outlet_, "value", text);
        traced_ = std::move(text);
    }
    inner_.show(reading);
}

void TracedLevelMeter::show(const LevelMeterReading& reading) {
    const std::string_view band = levelMeterBand(reading);
    if (band != traced_) {
        sink_.emit(outlet_, "value", std::string(band));
        traced_ = band;
    }
    inner_.show(reading);
}

Label* TracedStoryboard::label(std::string_view outlet) {
    return wrapperFor<TracedLabel>(labels_, outlet, inner_.label(outlet), sink_);
}

ImageView* TracedStoryboard::imageView(std::string_view outlet) {
    return wrapperFor<TracedImageView>(imageViews_, outlet, inner_.imageView(outlet), sink_);
}

Button* TracedStoryboard::button(std::string_view outlet) {
    return wrapperFor<TracedButton>(buttons_, outlet, inner_.button(outlet), sink_);
}

TuningMeter* TracedStoryboard::tuningMeter(std::string_view outlet) {
    return wrapperFor<TracedTuningMeter>(tuningMeters_, outlet, inner_.tuningMeter(outlet), sink_);
}

LevelMeter* TracedStoryboard::levelMeter(std::string_view outlet) {
    return wrapperFor<TracedLevelMeter>(levelMeters_, outlet, inner_.levelMeter(outlet), sink_);
}

ScreenLookView* TracedStoryboard::screenLook(std::string_view outlet) {
    return wrapperFor<TracedScreenLook>(screenLooks_, outlet, inner_.screenLook(outlet), sink_);
}

void TracedStoryboard::setActionHandler(std::function<void(std::string_view)> handler) {
    if (!handler) {
        inner_.setActionHandler(nullptr);
        return;
    }
    inner_.setActionHandler([this, handler = std::move(handler)](std::string_view action) {
        sink_.emit(std::string(action), "press", {}, TraceLayout::OpTarget);
        handler(action);
    });
}

Storyboard* TracedWindows::loadStoryboard(std::string_view name) {
    if (const auto found = storyboards_.find(name); found != storyboards_.end()) {
        return found->second.get();
    }
    Storyboard* inner = inner_.loadStoryboard(name);
    if (inner == nullptr) {
        return nullptr;
    }
    auto traced = std::make_unique<TracedStoryboard>(*inner, std::string(name), sink_);
    auto* raw = traced.get();
    storyboards_.emplace(std::string(name), std::move(traced));
    return raw;
}

void TracedWindows::installWindow(Storyboard& storyboard) {
    // A storyboard this decorator handed out goes to the wrapped windows unwrapped; any other is
    // passed on as it is.
    for (const auto& [name, traced] : storyboards_) {
        if (traced.get() == &storyboard) {
            sink_.emit("window", "install", name);
            inner_.installWindow(traced->inner());
            return;
        }
    }
    sink_.emit("window", "install");
    inner_.installWindow(storyboard);
}

}  // namespace strumwise::platform::trace
