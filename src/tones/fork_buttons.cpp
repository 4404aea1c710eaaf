#include "tones/fork_buttons.h"

#include "view/action_names.h"

namespace strumwise::tones {

ForkButtons::ForkButtons(const view::Outlets& outlets, const tuner::TunerState& tunerState,
                         ToneGenerator& generator, ToneUnit& toneUnit)
    : buttons_{outlets.firstFreqButton, outlets.secondFreqButton, outlets.thirdFreqButton,
               outlets.fourthFreqButton, outlets.fifthFreqButton},
      tfnoteDisplay_(outlets.tfnoteDisplay),
      tfFreqLabel_(outlets.tfFreqLabel),
      tunerState_(tunerState),
      generator_(generator),
      toneUnit_(toneUnit) {}

void ForkButtons::displayTuningForkButtons() {
    const std::uint64_t tuning = tunerState_.tuningIndex;
    if (!tunerState_.hasTuning()) {
        return;
    }
    for (int string = 1; string <= tuner::kStringCount; ++string) {
        view::setTitle(buttons_[string - 1], tunerState_.setup.target(tuning, string)->noteName);
    }
}

void ForkButtons::play(int stringNumber) {
    const tuner::StringTarget* target =
        tunerState_.setup.target(tunerState_.tuningIndex, stringNumber);
    if (target == nullptr) {
        return;
    }
    view::setText(tfnoteDisplay_, target->noteName);
    view::setText(tfFreqLabel_, target->label);
    generator_.setToneFrequency(target->toneHertz);
    curPlayState_ = kPlaying;
    toneUnit_.start();
}

void ForkButtons::stopFreqPlay() {
    if (curPlayState_ != kPlaying) {
        return;
    }
    curPlayState_ = kSilent;
    toneUnit_.stop();
}

bool ForkButtons::sendAction(std::string_view name) {
    for (std::size_t i = 0; i < view::kForkActions.size(); ++i) {
        if (name == view::kForkActions[i]) {
            play(static_cast<int>(i) + 1);
            return true;
        }
    }
    if (name == view::kStopAction) {
        stopFreqPlay();
        return true;
    }
    return false;
}

}  // namespace strumwise::tones
