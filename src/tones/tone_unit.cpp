#include "tones/tone_unit.h"

namespace strumwise::tones {

ToneUnit::ToneUnit(platform::AudioOutputUnitFactory& factory, ToneGenerator& generator)
    : factory_(factory), generator_(generator) {}

ToneUnit::~ToneUnit() {
    // The unit's render thread points at the generator; silence it before it goes.
    if (playing_) {
        stop();
    }
}

void ToneUnit::setupAudio() {
    if (unit_ != nullptr) {
        // A unit made earlier is reused: a fresh one would leave the old one playing with no
        // way left to stop it.
        if (playing_) {
            stop();
        }
        return;
    }
    unit_ = factory_.newOutputUnit();
    if (unit_ == nullptr) {
        // The factory has logged why; the fork buttons stay silent.
        return;
    }
    // As on the phone, the statuses are not acted on: a unit that refuses its set-up stays
    // silent, which is all a failure here can mean to the player.
    unit_->setStreamFormat(kToneStreamFormat);
    unit_->setRenderCallback(&ToneGenerator::renderCallback, &generator_);
    unit_->initialize();
}

void ToneUnit::start() {
    if (unit_ == nullptr) {
        startedWithoutUnit_ = true;
        return;
    }
    unit_->start();
    playing_ = true;
}

void ToneUnit::stop() {
    startedWithoutUnit_ = false;
    if (unit_ == nullptr) {
        return;
    }
    unit_->stop();
    playing_ = false;
}

bool ToneUnit::outputFailed() {
    if (unit_ == nullptr) {
        return startedWithoutUnit_;
    }
    return playing_ && unit_->startFailed();
}

}  // namespace strumwise::tones
