// The main screen's start-up: what happens once when its layout has loaded, and each time it is
// about to appear.

#include "platform/audio_session.h"
#include "screen/run_count.h"
#include "screen/system_version.h"
#include "screen/view_controller.h"
#include "tones/oscillator.h"

namespace strumwise::screen {
namespace {

// The tuning-fork button needs a system of at least this version.
constexpr float kTuningForkMinimumVersion = 6.0f;

// Play and record at once, out of the loudspeaker rather than the earpiece, with the input's
// automatic gain and filtering off so that the level and the pitch are measured as they are.
void configureAudioSession(platform::AudioSession* session, platform::Log& log) {
    if (session == nullptr) {
        // No session means no error description either; the log says so as the platform
        // prints a missing object.
        log.write("Error creating session: (null)");
        return;
    }
    // Errors of an existing session are not reported: the tuner works, if less well, in any
    // category and mode.
    session->setCategory(platform::AudioSession::kCategoryPlayAndRecord,
                         platform::AudioSession::kOptionDefaultToSpeaker, nullptr);
    session->setMode(platform::AudioSession::kModeMeasurement, nullptr);
    session->setActive(true, nullptr);
}

}  // namespace

void ViewController::viewDidLoad() {
    // A tuner is watched, not touched, while the player tunes: keep the display lit.
    services_.application.setIdleTimerDisabled(true);
    configureAudioSession(services_.audioSession, services_.log);
    microphone_.listen();
    timer_ = services_.runLoop.scheduleRepeatingTimer(tuner::TunerTick::kPeriodSeconds, [this] {
        tickFree();
        audioStatusBanner_.refresh();
    });
    displayTunings();
    displayTuningForkButtons();
    services_.log.write("Demo mode OFF, Sound detection started...");
    if (leadingVersionNumber(services_.device.systemVersion()) < kTuningForkMinimumVersion) {
        view::setHidden(outlets_.tuningForkButton, true);
    }
}

void ViewController::viewWillAppear(bool /*animated*/) {
    setCurTone(tones::kWaveTriangle);
    setupAudio();
    setCurPlayState(tones::ForkButtons::kSilent);
    countRun(services_.defaults, services_.log, services_.bundle.identifier());
}

}  // namespace strumwise::screen
