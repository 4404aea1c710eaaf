#include "app/headless_app.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "app/app_delegate.h"
#include "app/main_screen.h"
#include "app/player_setup.h"
#include "screen/listener_microphone.h"
#include "view/action_names.h"
#include "view/screen_class.h"

namespace strumwise::app {

namespace trace = platform::trace;
using view::ScreenClass;
using view::screenClassFor;
using view::storyboardName;

std::vector<std::string> headlessLayoutNames() {
    std::vector<std::string> names;
    for (int i = 0; i < static_cast<int>(ScreenClass::unlisted); ++i) {
        names.emplace_back(storyboardName(static_cast<ScreenClass>(i)));
    }
    return names;
}

HeadlessApp::HeadlessApp(HeadlessRunConfig config)
    : config_(std::move(config)),
      platform_(std::move(config_.platform)),
      ratingPlatform_(config_.rating, platform_.runLoop(), platform_.trace()),
      arrowIndex_(static_cast<std::uint64_t>(std::max(config_.tuning, 1))) {
    if (config_.microphone) {
        platform_.audioInput().setSignal(config_.microphone);
    }
    toneGenerator_.setFrequencyObserver(
        [this](float hz) { trace::traceToneFrequency(platform_.trace(), hz); });
    microphone_ = std::make_unique<screen::ListenerMicrophone>(platform_.services());
    microphone_->setOctaveCheck(config_.octaveCheck);

    platform::Services& common = platform_.services();
    ratingPrompt_ = std::make_unique<rating::RatingPrompt>(
        rating::RatingServices{common.log, common.clock, common.runLoop, common.dispatch,
                               common.defaults, common.device, common.application, common.bundle,
                               nullptr, ratingPlatform_.alerts(), ratingPlatform_.store(),
                               ratingPlatform_.network(), ratingPlatform_.views(),
                               ratingPlatform_.notifications()},
        ratingSettings_);
    delegate_ = std::make_unique<AppDelegate>(
        AppDelegate::Services{common.device, common.log, common.application, platform_.windows(),
                              ratingSettings_, *ratingPrompt_},
        [this](platform::Storyboard& storyboard) { return makeMainScreen(storyboard); });
}

HeadlessApp::~HeadlessApp() {
    // The screen goes first: its timer and tone unit refer to the platform and the generator;
    // then the prompt, whose pending work refers to the rating platform.
    platform_.trace().close();
    delegate_.reset();
    ratingPrompt_.reset();
    microphone_.reset();
}

std::unique_ptr<MainScreen> HeadlessApp::makeMainScreen(platform::Storyboard& storyboard) {
    auto screen = std::make_unique<MainScreen>(
        platform_.services(), storyboard, tunerState_, *microphone_, toneGenerator_,
        [this] { rating::RatingPrompt::tryToShowPrompt(*ratingPrompt_); });
    // The launch loads the layout of the device's screen class, so that is the one to press.
    auto& device = platform_.device();
    layout_ = platform_.headlessWindows().loaded(
        storyboardName(screenClassFor(device.userInterfaceIdiom(), device.mainScreenHeight())));
    // Presses are scheduled before the screen's timer exists, so a press due at the same time
    // as a tick always comes first. Start-up itself runs now, before any scheduled event.
    for (const auto& press : config_.presses) {
        platform_.runLoop().scheduleAt(press.time,
                                       [this, action = press.action] { layout_->press(action); });
    }
    return screen;
}

std::string HeadlessApp::setUpPlayer(const PlayerOptions& options) {
    std::uint64_t arrowIndex = 1;
    std::string error = app::setUpPlayer(
        tunerState_, platform_.services().defaults, platform_.services().log, options, arrowIndex,
        [this](const tuner::SettingChange& change) {
            trace::traceSettingChange(platform_.trace(), change.name, change.value);
        });
    if (error.empty() && options.tuning) {
        arrowIndex_ = arrowIndex;
    }
    return error;
}

bool HeadlessApp::launch() {
    delegate_->applicationDidFinishLaunching();
    // The prompt can only appear over the window the launch installed.
    ratingPlatform_.views().setMainWindowInstalled(delegate_->window() != nullptr);
    if (delegate_->window() == nullptr) {
        return false;
    }
    for (std::uint64_t i = 1; i < arrowIndex_; ++i) {
        layout_->press(view::kNextTuningAction);
    }
    return true;
}

bool HeadlessApp::finish() {
    platform_.trace().close();
    return platform_.store().synchronize();
}

screen::ViewController* HeadlessApp::controller() {
    MainScreen* screen = delegate_ ? delegate_->mainScreen() : nullptr;
    return screen != nullptr ? &screen->controller() : nullptr;
}

}  // namespace strumwise::app
