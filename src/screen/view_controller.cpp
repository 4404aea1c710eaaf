#include "screen/view_controller.h"

#include <algorithm>

#include "view/action_names.h"

namespace strumwise::screen {

ViewController::ViewController(platform::Services& services, const view::Outlets& outlets,
                               tuner::TunerState& tunerState, Microphone& microphone,
                               tones::ToneGenerator& toneGenerator)
    : outlets_(outlets),
      services_(services),
      microphone_(microphone),
      toneGenerator_(toneGenerator),
      indicator_(outlets_, services.device, services.images),
      tunedStrings_(tunerState, services.runLoop),
      tick_(outlets_, microphone, tunerState, *this, services.images),
      screenLook_(outlets_.tuningMeter, outlets_.screenLook),
      tuningMeter_(&screenLook_, tunerState),
      readingPicture_(outlets_.readingHistory),
      levelDisplay_(outlets_.levelMeter),
      browser_(outlets_, tunerState, *this, services.device, services.images, services.bundle),
      toneUnit_(services.audioOutput, toneGenerator),
      forkButtons_(outlets_, tunerState, toneGenerator, toneUnit_),
      audioStatusBanner_(outlets_.audioStatusLabel, services.bundle, microphone, toneUnit_),
      playerSettings_(tunerState, services.defaults) {
    // The meters draw after the tick's own writes, from the same readings (the picture of the
    // last seconds from what the tuning meter shows), and the look last,
    // from what the tick lit and what the meter now reads.
    tick_.setAfterTickHandler([this](double power, double shownHertz) {
        heard_ = {power, shownHertz, shownHertz > 0.0};
        tuningMeter_.show(power, shownHertz);
        readingPicture_.tick(tuningMeter_.shownReading());
        levelDisplay_.show(power);
        screenLook_.tick();
    });
    playerSettings_.setChangedHandler(
        [this](const tuner::PlayerSettings& before) { settingsChanged(before); });
}

bool ViewController::sendAction(std::string_view name) {
    if (forkButtons_.sendAction(name)) {
        return true;
    }
    if (name == view::kPreviousTuningAction) {
        showPreviousTuning();
        return true;
    }
    if (name == view::kNextTuningAction) {
        showNextTuning();
        return true;
    }
    for (std::size_t i = 0; i < view::kLockStringActions.size(); ++i) {
        if (name == view::kLockStringActions[i]) {
            playerSettings_.toggleLockedString(static_cast<int>(i) + 1);
            return true;
        }
    }
    return sendLinkAction(name);
}

bool ViewController::sendLinkAction(std::string_view name) {
    const bool isLink = name == view::kMakerSiteAction || name == view::kReviewAction ||
                        std::find(view::kSiblingAppActions.begin(), view::kSiblingAppActions.end(),
                                  name) != view::kSiblingAppActions.end();
    if (isLink && linkActionHandler_) {
        linkActionHandler_(name);
    }
    return isLink;
}

void ViewController::setUnmatchedLoudTickHandler(std::function<void()> handler) {
    tick_.setUnmatchedLoudTickHandler(std::move(handler));
}

void ViewController::setLinkActionHandler(std::function<void(std::string_view)> handler) {
    linkActionHandler_ = std::move(handler);
}

void ViewController::setSettingsChangedHandler(
    std::function<void(const tuner::PlayerSettings&, const tuner::PlayerSettings&)> handler) {
    settingsChangedHandler_ = std::move(handler);
}

void ViewController::settingsChanged(const tuner::PlayerSettings& before) {
    displayTunings();
    displayTuningForkButtons();
    if (settingsChangedHandler_) {
        settingsChangedHandler_(before, playerSettings_.settings());
    }
}

tuner::ReferenceFromNote ViewController::referenceFromHeardNote() const {
    return tuner::referenceFromNote(heard_.power > tuner::TunerTick::kMeasureAbove, heard_.steady,
                                    heard_.shownHertz, playerSettings_.settings().referenceTenths);
}

void ViewController::tickFree() {
    tick_.tickFree();
}
void ViewController::displayNoStrings() {
    tick_.displayNoStrings();
    screenLook_.silenced();
}
void ViewController::displayTunedString(std::int64_t string) {
    indicator_.displayTunedString(string);
    if (string >= 1 && string <= 5) {
        screenLook_.lit(static_cast<int>(string));
    }
}
void ViewController::play1stSoundOnce() {
    tunedStrings_.confirm(1);
}
void ViewController::play2ndSoundOnce() {
    tunedStrings_.confirm(2);
}
void ViewController::play3rdSoundOnce() {
    tunedStrings_.confirm(3);
}
void ViewController::play4thSoundOnce() {
    tunedStrings_.confirm(4);
}
void ViewController::play5thSoundOnce() {
    tunedStrings_.confirm(5);
}
void ViewController::resetTuningBools() {
    tunedStrings_.resetTuningBools();
}

void ViewController::displayTunings() {
    browser_.displayTunings();
}
void ViewController::displayNotes() {
    browser_.displayNotes();
}
void ViewController::showPreviousTuning() {
    browser_.showPreviousTuning();
    forkButtons_.displayTuningForkButtons();
}
void ViewController::showNextTuning() {
    browser_.showNextTuning();
    forkButtons_.displayTuningForkButtons();
}

void ViewController::setupAudio() {
    toneUnit_.setupAudio();
}
void ViewController::displayTuningForkButtons() {
    forkButtons_.displayTuningForkButtons();
}
std::uint64_t ViewController::curTone() const {
    return toneGenerator_.curTone();
}
void ViewController::setCurTone(std::uint64_t waveShape) {
    toneGenerator_.setCurTone(waveShape);
}
std::int64_t ViewController::curPlayState() const {
    return forkButtons_.curPlayState();
}
void ViewController::setCurPlayState(std::int64_t state) {
    forkButtons_.setCurPlayState(state);
}

}  // namespace strumwise::screen
