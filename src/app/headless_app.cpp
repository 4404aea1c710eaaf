#include "app/headless_app.h"

#include <string_view>
#include <utility>

#include "app/main_screen.h"
#include "app/screen_class.h"
#include "pitch/mic_listener.h"
#include "screen/action_names.h"

namespace strumwise::app {

namespace headless = platform::headless;

// The microphone listener as the main screen sees it. The listener is made when the screen
// first asks it to listen, as the process-wide one would be, so its audio-session calls follow
// the screen's own.
class HeadlessApp::ListenerMicrophone final : public screen::Microphone {
  public:
    explicit ListenerMicrophone(platform::Services& services) : services_(services) {}

    void listen() override {
        if (!listener_) {
            listener_ = std::make_unique<pitch::MicListener>(services_.audioInput,
                                                             services_.audioSession, services_.log);
        }
        listener_->listen();
    }
    float averagePower() override { return listener_ ? listener_->averagePower() : 0.0f; }
    float frequency() override { return listener_ ? listener_->frequency() : 0.0f; }

  private:
    platform::Services& services_;
    std::unique_ptr<pitch::MicListener> listener_;
};

std::vector<std::string> headlessLayoutNames() {
    std::vector<std::string> names;
    for (int i = 0; i < static_cast<int>(ScreenClass::unlisted); ++i) {
        names.emplace_back(storyboardName(static_cast<ScreenClass>(i)));
    }
    return names;
}

HeadlessApp::HeadlessApp(HeadlessRunConfig config)
    : config_(std::move(config)), platform_(std::move(config_.platform)) {
    if (config_.microphone) {
        platform_.audioInput().setSignal(config_.microphone);
    }
    toneGenerator_.setFrequencyObserver(
        [this](float hz) { headless::traceToneFrequency(platform_.trace(), hz); });
    microphone_ = std::make_unique<ListenerMicrophone>(platform_.services());
}

HeadlessApp::~HeadlessApp() {
    // The screen goes first: its timer and tone unit refer to the platform and the generator.
    platform_.trace().close();
    mainScreen_.reset();
    microphone_.reset();
}

bool HeadlessApp::launch() {
    auto& device = platform_.device();
    const ScreenClass screenClass =
        screenClassFor(device.userInterfaceIdiom(), device.mainScreenHeight());
    platform::Storyboard* storyboard =
        screenClass == ScreenClass::unlisted
            ? nullptr
            : platform_.windows().loadStoryboard(storyboardName(screenClass));
    if (storyboard == nullptr) {
        return false;
    }
    layout_ = platform_.headlessWindows().loaded(storyboardName(screenClass));

    // The rating prompt is not part of the headless application yet, so the review request
    // has no prompt to show.
    mainScreen_ = std::make_unique<MainScreen>(platform_.services(), *storyboard, tunerState_,
                                               *microphone_, toneGenerator_, nullptr);
    // Presses are scheduled before the screen's timer exists, so a press due at the same time
    // as a tick always comes first. Start-up itself runs now, before any scheduled event.
    for (const auto& press : config_.presses) {
        platform_.runLoop().scheduleAt(press.time,
                                       [this, action = press.action] { layout_->press(action); });
    }
    platform_.windows().installWindow(*storyboard);
    auto& controller = mainScreen_->controller();
    controller.viewDidLoad();
    controller.viewWillAppear(false);
    for (int i = 1; i < config_.tuning; ++i) {
        layout_->press(screen::kNextTuningAction);
    }
    return true;
}

bool HeadlessApp::finish() {
    platform_.trace().close();
    return platform_.store().synchronize();
}

screen::ViewController* HeadlessApp::controller() {
    return mainScreen_ ? &mainScreen_->controller() : nullptr;
}

}  // namespace strumwise::app
