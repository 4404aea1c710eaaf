// The web edition's composition root: the same logic objects as the desktop's window, on the
// browser platform. The page (web/host.js) loads this module, which launches the application and
// then lives on in the browser's event loop.
#include <emscripten/emscripten.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "adapters/web/browser.h"
#include "adapters/web/web_application.h"
#include "adapters/web/web_audio.h"
#include "adapters/web/web_rating.h"
#include "adapters/web/web_run_loop.h"
#include "adapters/web/web_user_defaults.h"
#include "adapters/web/web_views.h"
#include "app/app_delegate.h"
#include "app/main_screen.h"
#include "app/player_setup.h"
#include "app/settings_bridge.h"
#include "platform/passive_audio_session.h"
#include "rating/rating_prompt.h"
#include "rating/rating_settings.h"
#include "screen/listener_microphone.h"
#include "tones/tone_generator.h"
#include "tuner/screen_pictures.h"
#include "tuner/tuner_state.h"
#include "view/screen_class.h"

namespace strumwise::app {

namespace web = platform::web;

namespace {

// The listed screen height for a viewport: its own when listed, else the tallest listed one of
// its idiom that fits, else the shortest of its idiom, so that every phone and tablet gets a
// layout.
double listedHeight(long idiom, double viewportHeight) {
    const int tallest = static_cast<int>(std::floor(viewportHeight));
    for (int height = tallest; height > 0; --height) {
        if (view::screenClassFor(idiom, height) != view::ScreenClass::unlisted) {
            return height;
        }
    }
    for (int height = tallest + 1; height < 4096; ++height) {
        if (view::screenClassFor(idiom, height) != view::ScreenClass::unlisted) {
            return height;
        }
    }
    return viewportHeight;
}

long viewportIdiom() {
    return web::browser::isPadViewport() ? platform::Device::kIdiomPad
                                         : platform::Device::kIdiomPhone;
}

class WebApp {
  public:
    WebApp()
        : device_(viewportIdiom(), listedHeight(viewportIdiom(), web::browser::viewportHeight())),
          output_([this] {
              return web::WebToneOutputFactory::ToneSettings{
                  toneGenerator_.toneFrequency(), static_cast<unsigned>(toneGenerator_.curTone())};
          }),
          services_{log_,         clock_,  runLoop_, runLoop_, defaults_, device_,
                    application_, bundle_, images_,  input_,   output_,   &session_},
          views_(runLoop_),
          microphone_(services_),
          ratingPrompt_(rating::RatingServices{log_, clock_, runLoop_, runLoop_, defaults_, device_,
                                               application_, bundle_, nullptr, alerts_, store_,
                                               network_, views_, notifications_},
                        ratingSettings_),
          delegate_(AppDelegate::Services{device_, log_, application_, windows_, ratingSettings_,
                                          ratingPrompt_},
                    [this](platform::Storyboard& storyboard) {
                        return std::make_unique<MainScreen>(
                            services_, storyboard, tunerState_, microphone_, toneGenerator_,
                            [this] { rating::RatingPrompt::tryToShowPrompt(ratingPrompt_); });
                    }) {
        toneGenerator_.setFrequencyObserver([this](float) { output_.toneChanged(); });
    }

    void launch() {
        // The player's settings the browser keeps; a damaged value is said in the console.
        std::uint64_t arrowIndex = 1;
        (void)setUpPlayer(tunerState_, defaults_, log_, {}, arrowIndex,
                          [](const tuner::SettingChange&) {});
        delegate_.applicationDidFinishLaunching();
        if (delegate_.window() != nullptr) {
            views_.setWindowInstalled();
        }
        if (screen::ViewController* screen = controller()) {
            screen->setSettingsChangedHandler(
                [](const tuner::PlayerSettings&, const tuner::PlayerSettings& after) {
                    web::browser::settingsChanged(after.lockedString);
                });
            web::browser::settingsChanged(screen->playerSettings().settings().lockedString);
        }
        // Every picture the screen may show, for the page to keep before the network is gone:
        // a string first lit offline must not be a broken picture.
        web::browser::keepPictures(tuner::screenPictures(device_));
    }

    screen::ViewController* controller() {
        MainScreen* screen = delegate_.mainScreen();
        return screen != nullptr ? &screen->controller() : nullptr;
    }
    const platform::Bundle& bundle() const { return bundle_; }

  private:
    web::WebRunLoop runLoop_;
    web::WebClock clock_;
    web::WebLog log_;
    web::WebUserDefaults defaults_;
    web::WebDevice device_;
    web::WebApplication application_;
    web::WebBundle bundle_;
    web::WebImages images_;
    web::WebAudioInputFactory input_;
    web::WebToneOutputFactory output_;
    platform::PassiveAudioSession session_;
    platform::Services services_;
    web::WebWindows windows_;
    web::WebViewHierarchy views_;
    web::WebAlerts alerts_;
    web::WebStore store_;
    web::WebNetwork network_;
    web::WebAppNotifications notifications_;
    tuner::TunerState tunerState_;
    tones::ToneGenerator toneGenerator_;
    screen::ListenerMicrophone microphone_;
    rating::RatingSettings ratingSettings_;
    rating::RatingPrompt ratingPrompt_;
    AppDelegate delegate_;
};

}  // namespace

}  // namespace strumwise::app

namespace {

strumwise::app::WebApp* theApplication = nullptr;

// A copy the page reads and then frees with _free.
char* copied(const std::string& text) {
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

}  // namespace

// The player's settings as JSON for the page's settings controls (app/settings_bridge.h);
// null before the main screen exists.
extern "C" EMSCRIPTEN_KEEPALIVE char* strumwise_settings() {
    strumwise::screen::ViewController* screen =
        theApplication != nullptr ? theApplication->controller() : nullptr;
    return screen != nullptr ? copied(strumwise::app::settingsJson(
                                   screen->playerSettings().settings(), theApplication->bundle()))
                             : nullptr;
}

// One request of the page's settings controls, answered as JSON (app/settings_bridge.h).
extern "C" EMSCRIPTEN_KEEPALIVE char* strumwise_settings_request(const char* request,
                                                                 const char* first,
                                                                 const char* second,
                                                                 const char* third) {
    strumwise::screen::ViewController* screen =
        theApplication != nullptr ? theApplication->controller() : nullptr;
    if (screen == nullptr) {
        return nullptr;
    }
    return copied(strumwise::app::runSettingsRequest(*screen, theApplication->bundle(), request,
                                                     first, second, third));
}

extern "C" EMSCRIPTEN_KEEPALIVE void strumwise_visibility_changed(int visible) {
    strumwise::platform::web::WebAppNotifications::visibilityChanged(visible != 0);
}

int main() {
    // The application lives as long as the page; the event loop keeps calling into it after
    // main returns.
    static auto* application = new strumwise::app::WebApp();
    theApplication = application;
    application->launch();
    return 0;
}
