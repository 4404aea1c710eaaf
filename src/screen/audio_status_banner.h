#pragma once

#include <string>
#include <string_view>

#include "platform/bundle.h"
#include "platform/view_toolkit.h"
#include "screen/microphone.h"
#include "tones/tone_unit.h"

namespace strumwise::screen {

// The line across the screen that tells the player why the tuner cannot hear or cannot play:
// no microphone, a microphone lost and being reconnected, or no audio output for the reference
// tones; and otherwise what the platform notes about the microphone (Microphone::note). Empty
// while all is well. Main thread only; everything referenced must outlive it.
class AudioStatusBanner {
  public:
    // Keys of the default strings table.
    static constexpr std::string_view kNoMicrophoneKey = "NoMicrophone";
    static constexpr std::string_view kMicrophoneLostKey = "MicrophoneLost";
    static constexpr std::string_view kNoAudioOutputKey = "NoAudioOutput";

    AudioStatusBanner(platform::Label* label, const platform::Bundle& bundle,
                      Microphone& microphone, tones::ToneUnit& toneUnit)
        : label_(label), bundle_(bundle), microphone_(microphone), toneUnit_(toneUnit) {}

    // Shows what is wrong now; writes to the label only when that changes, so a screen where
    // all is well never sees it written.
    void refresh();

  private:
    platform::Label* label_;
    const platform::Bundle& bundle_;
    Microphone& microphone_;
    tones::ToneUnit& toneUnit_;
    std::string shown_;  // what the label says now
};

}  // namespace strumwise::screen
