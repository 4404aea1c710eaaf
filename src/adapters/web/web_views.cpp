#include "adapters/web/web_views.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>

#include "adapters/web/browser.h"
#include "platform/screen_look_name.h"

namespace strumwise::platform::web {

namespace {

class WebImage final : public Image {
  public:
    explicit WebImage(std::string_view name) : name_(name) {}
    std::string_view name() const override { return name_; }

  private:
    std::string name_;
};

// The samples of the picture of the meter's last seconds, five numbers each, as the page reads
// them; the page has one such picture on screen at a time. Main thread only.
std::array<double, 5 * 128> packedSamples{};

// The storyboard whose controls deliver actions: the page shows one layout at a time.
WebStoryboard* activeStoryboard = nullptr;

}  // namespace

ImageRef WebImages::imageNamed(std::string_view name) const {
    return std::make_shared<WebImage>(name);
}

// One DOM element, whichever of the kinds the layout made it.
class WebStoryboard::View final : public Label,
                                  public ImageView,
                                  public Button,
                                  public TuningMeter,
                                  public LevelMeter,
                                  public ReadingHistoryView {
  public:
    explicit View(std::string_view outlet) : outlet_(outlet) {}
    void show(const TuningMeterReading& reading) override {
        using Turn = TuningMeterReading::Turn;
        const int turn = reading.turn == Turn::Up ? 1 : reading.turn == Turn::Down ? -1 : 0;
        browser::showTuningMeter(outlet_, reading.idle, reading.string, reading.note, reading.cents,
                                 reading.needle, reading.zoneLow, reading.zoneHigh, turn,
                                 reading.locked);
    }
    void show(const LevelMeterReading& reading) override {
        browser::showLevelMeter(outlet_, reading.power, reading.silenceBelow, reading.measureAbove);
    }
    void show(std::span<const ReadingSample> samples, double nowSeconds) override {
        // Handed to the page as one block of numbers in the module's memory, written into a
        // buffer made once, so that drawing ten times a second allocates nothing here.
        const std::size_t count = std::min(samples.size(), packedSamples.size() / 5);
        const auto newest = samples.last(count);
        for (std::size_t i = 0; i < count; ++i) {
            const ReadingSample& sample = newest[i];
            double* at = packedSamples.data() + 5 * i;
            at[0] = sample.seconds;
            at[1] = sample.string;
            at[2] = sample.cents;
            at[3] = sample.zoneLow;
            at[4] = sample.zoneHigh;
        }
        browser::showReadingHistory(outlet_, packedSamples.data(), static_cast<int>(count),
                                    nowSeconds);
    }
    void describe(const ReadingTrend& trend) override {
        browser::describeReadingHistory(outlet_, static_cast<int>(trend.kind), trend.note,
                                        trend.cents);
    }
    void setText(std::string_view text) override { browser::setText(outlet_, text); }
    void setTitle(std::string_view title) override { browser::setText(outlet_, title); }
    void setImage(ImageRef image) override {
        browser::setImage(outlet_, image ? image->name() : std::string_view{});
    }
    void setHidden(bool hidden) override { browser::setHidden(outlet_, hidden); }

  private:
    std::string outlet_;
};

// The look is the whole page's: an attribute on the screen that the style sheet reads.
class WebStoryboard::Look final : public ScreenLookView {
  public:
    void show(ScreenLook look) override { browser::showScreenLook(screenLookName(look)); }
    void announce(ScreenLook /*look*/, const TuningMeterReading& /*reading*/) override {}
};

WebStoryboard::WebStoryboard(std::string name) : name_(std::move(name)) {
    browser::installLayout(name_);
    activeStoryboard = this;
}

WebStoryboard::~WebStoryboard() {
    if (activeStoryboard == this) {
        activeStoryboard = nullptr;
    }
}

WebStoryboard::View* WebStoryboard::view(std::string_view outlet, std::string_view kind) {
    if (!browser::hasOutlet(outlet, kind)) {
        return nullptr;
    }
    auto found = views_.find(outlet);
    if (found == views_.end()) {
        found = views_.emplace(std::string(outlet), std::make_unique<View>(outlet)).first;
    }
    return found->second.get();
}

Label* WebStoryboard::label(std::string_view outlet) {
    return view(outlet, "label");
}
ImageView* WebStoryboard::imageView(std::string_view outlet) {
    return view(outlet, "image");
}
Button* WebStoryboard::button(std::string_view outlet) {
    return view(outlet, "button");
}
TuningMeter* WebStoryboard::tuningMeter(std::string_view outlet) {
    return view(outlet, "tuningMeter");
}
LevelMeter* WebStoryboard::levelMeter(std::string_view outlet) {
    return view(outlet, "levelMeter");
}
ReadingHistoryView* WebStoryboard::readingHistory(std::string_view outlet) {
    return view(outlet, "readingHistory");
}

ScreenLookView* WebStoryboard::screenLook(std::string_view outlet) {
    if (outlet != "screenLook") {
        return nullptr;
    }
    if (!look_) {
        look_ = std::make_unique<Look>();
    }
    return look_.get();
}

void WebStoryboard::setActionHandler(std::function<void(std::string_view action)> handler) {
    actionHandler_ = std::move(handler);
}

void WebStoryboard::deliverAction(std::string_view action) {
    if (activeStoryboard != nullptr && activeStoryboard->actionHandler_) {
        activeStoryboard->actionHandler_(action);
    }
}

Storyboard* WebWindows::loadStoryboard(std::string_view name) {
    if (const auto found = loaded_.find(name); found != loaded_.end()) {
        return found->second.get();
    }
    if (!browser::hasLayout(name)) {
        return nullptr;
    }
    return loaded_.emplace(std::string(name), std::make_unique<WebStoryboard>(std::string(name)))
        .first->second.get();
}

void WebWindows::installWindow(Storyboard& /*storyboard*/) {
    browser::setHidden("MainScreen", false);
}

}  // namespace strumwise::platform::web

extern "C" EMSCRIPTEN_KEEPALIVE void strumwise_action(const char* action) {
    strumwise::platform::web::WebStoryboard::deliverAction(action);
}
