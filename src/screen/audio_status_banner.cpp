#include "screen/audio_status_banner.h"

#include "view/outlets.h"

namespace strumwise::screen {

void AudioStatusBanner::refresh() {
    // A failed tone answers the press the player just made, so it goes before the microphone,
    // whose state the banner shows again once the tone is stopped.
    std::string_view key;
    if (toneUnit_.outputFailed()) {
        key = kNoAudioOutputKey;
    } else {
        switch (microphone_.status()) {
            case Microphone::Status::Missing:
                key = kNoMicrophoneKey;
                break;
            case Microphone::Status::Lost:
                key = kMicrophoneLostKey;
                break;
            case Microphone::Status::Fine:
                break;
        }
    }
    std::string text = key.empty() ? microphone_.note() : bundle_.localizedString(key, "", "");
    if (text == shown_) {
        return;
    }
    shown_ = std::move(text);
    view::setText(label_, shown_);
}

}  // namespace strumwise::screen
