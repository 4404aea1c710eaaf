#pragma once

#include <memory>

#include "pitch/mic_listener.h"
#include "platform/services.h"
#include "screen/microphone.h"

namespace strumwise::screen {

// The microphone listener as the main screen sees it. The listener comes into being when the
// screen first starts listening, after the screen has set up the audio session, not when the
// screen is built, so that the listener's own session calls follow the screen's.
class ListenerMicrophone final : public Microphone {
  public:
    // A listener of the caller's own, which must outlive this object.
    explicit ListenerMicrophone(pitch::MicListener& listener) : listener_(&listener) {}
    // A listener of this object's own, made from these services on the first listen(); they
    // must outlive this object.
    explicit ListenerMicrophone(const platform::Services& services);
    ~ListenerMicrophone() override;

    void listen() override;
    // Both read 0 until an own listener exists.
    float averagePower() override;
    float frequency() override;
    pitch::NoteReading noteReading() override;
    Status status() override;
    std::string note() override { return note_; }
    // What note() answers from now on.
    void setNote(std::string note) { note_ = std::move(note); }

    // Whether the listener checks its estimates' octave (see MicListener::setOctaveCheck); on
    // unless set off here, before or after the listener comes into being.
    void setOctaveCheck(bool on);

    // Ends an own listener's capture and releases it; a later listen() starts afresh.
    void stop();

  private:
    pitch::MicListener* listener();

    pitch::MicListener* listener_ = nullptr;
    const platform::Services* services_ = nullptr;
    std::unique_ptr<pitch::MicListener> own_;
    bool octaveCheck_ = true;
    std::string note_;
};

}  // namespace strumwise::screen
