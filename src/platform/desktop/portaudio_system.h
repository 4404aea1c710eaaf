#pragma once

#include <memory>
#include <string>

namespace strumwise::platform::desktop {

// The process's PortAudio library. PortAudio must be initialised before any device query or
// stream and terminated after the last stream has closed; every piece of desktop audio code holds
// a handle from acquire() for as long as it uses PortAudio, so the library is initialised once
// and terminated only when nothing uses it any more. Holding the handle inside the object that
// owns a stream makes the stream close before the library goes away.
class PortAudioSystem {
  public:
    // The shared handle; initialises PortAudio when no handle is alive. Thread-safe. Never
    // nullptr: a failed initialisation gives a handle whose ok() is false.
    static std::shared_ptr<PortAudioSystem> acquire();

    ~PortAudioSystem();
    PortAudioSystem(const PortAudioSystem&) = delete;
    PortAudioSystem& operator=(const PortAudioSystem&) = delete;
    PortAudioSystem(PortAudioSystem&&) = delete;
    PortAudioSystem& operator=(PortAudioSystem&&) = delete;

    // Whether Pa_Initialize succeeded; when false, error() says why in one line.
    bool ok() const { return ok_; }
    const std::string& error() const { return error_; }

  private:
    PortAudioSystem();

    bool ok_ = false;
    std::string error_;
};

// PortAudio's text for an error code, for log lines ("Invalid device").
std::string portAudioErrorText(int error);

}  // namespace strumwise::platform::desktop
