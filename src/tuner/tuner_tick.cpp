#include "tuner/tuner_tick.h"

#include <array>

#include "tuner/frequency_text.h"
#include "tuner/one_reading.h"

namespace strumwise::tuner {

TunerTick::TunerTick(const view::Outlets& outlets, PitchSource& pitch, const TunerState& state,
                     view::ScreenHooks& hooks, const platform::Images& images)
    : outlets_(outlets), pitch_(pitch), state_(state), hooks_(hooks), images_(images) {}

void TunerTick::setUnmatchedLoudTickHandler(std::function<void()> handler) {
    unmatchedLoudTick_ = std::move(handler);
}

void TunerTick::setAfterTickHandler(std::function<void(double, double)> handler) {
    afterTick_ = std::move(handler);
}

void TunerTick::tickFree() {
    // Both are read on every tick, before any test: the estimate runs whatever the level.
    const double power = pitch_.averagePower();
    const double frequency = pitch_.frequency();
    const pitch::NoteReading reading = pitch_.noteReading();
    held_.update(power, reading);
    show(power, frequency, reading);
    if (afterTick_) {
        afterTick_(power, held_.hertz());
    }
}

void TunerTick::show(double power, double frequency, const pitch::NoteReading& reading) {
    const std::uint64_t tuning = state_.tuningIndex;
    if (!state_.hasTuning()) {
        return;
    }
    if (power < kSilenceBelow) {
        hooks_.displayNoStrings();
        return;
    }
    if (power <= kMeasureAbove) {
        return;
    }

    view::setText(outlets_.freq_label, frequencyText(labelHertz(frequency, held_.hertz())));
    if (const auto string =
            stringToLight(state_.setup, tuning, frequency, reading, held_.hertz())) {
        displayMatch(*string);
        return;
    }
    if (unmatchedLoudTick_) {
        unmatchedLoudTick_();
    }
}

void TunerTick::displayMatch(int string) {
    const StringTarget& target = *state_.setup.target(state_.tuningIndex, string);
    view::setHidden(outlets_.tunedString, false);
    view::setHidden(outlets_.tunedString5, false);
    view::setHidden(outlets_.tunedStringiPad, false);
    view::setText(outlets_.noteDisplay, target.noteName);
    hooks_.displayTunedString(string);
    view::setImage(outlets_.LEDDisplay, images_.imageNamed(kInTuneLamps[0]));
    view::setImage(outlets_.LEDDisplay128, images_.imageNamed(kInTuneLamps[1]));
    // An in-tune string shows its nominal frequency rather than the measured one.
    view::setText(outlets_.freq_label, target.label);
    // The in-tune hook of that string.
    static constexpr std::array<void (view::ScreenHooks::*)(), 5> kInTune{
        &view::ScreenHooks::play1stSoundOnce, &view::ScreenHooks::play2ndSoundOnce,
        &view::ScreenHooks::play3rdSoundOnce, &view::ScreenHooks::play4thSoundOnce,
        &view::ScreenHooks::play5thSoundOnce};
    (hooks_.*kInTune[static_cast<std::size_t>(string - 1)])();
}

void TunerTick::displayNoStrings() {
    view::setText(outlets_.freq_label, "");
    view::setText(outlets_.noteDisplay, "");
    view::setHidden(outlets_.tunedString, true);
    view::setHidden(outlets_.tunedString5, true);
    view::setHidden(outlets_.tunedStringiPad, true);
    view::setImage(outlets_.LEDDisplay, images_.imageNamed(kWaitingLamps[0]));
    view::setImage(outlets_.LEDDisplay128, images_.imageNamed(kWaitingLamps[1]));
}

}  // namespace strumwise::tuner
