#pragma once

#include "pitch/mic_listener.h"
#include "screen/microphone.h"

namespace strumwise::screen {

// The microphone listener as the main screen sees it.
class ListenerMicrophone final : public Microphone {
  public:
    // The process-wide listener, looked up at every use: it comes into being when the screen
    // first starts listening, after the screen has set up the audio session, not when the
    // screen is built.
    ListenerMicrophone() = default;
    // A listener of the caller's own, which must outlive this object.
    explicit ListenerMicrophone(pitch::MicListener& listener) : listener_(&listener) {}

    void listen() override { listener().listen(); }
    float averagePower() override { return listener().averagePower(); }
    float frequency() override { return listener().frequency(); }

  private:
    pitch::MicListener& listener() {
        return listener_ != nullptr ? *listener_ : pitch::MicListener::sharedListener();
    }

    pitch::MicListener* listener_ = nullptr;
};

}  // namespace strumwise::screen
