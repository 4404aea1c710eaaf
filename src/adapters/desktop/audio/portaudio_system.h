#pragma once

#include <memory>
#include <string>

namespace strumwise::platform::desktop {

// The process's PortAudio library. PortAudio must be initialised before any device query or
// stream; every piece of desktop audio code holds a handle from acquire() for as long as it uses
// PortAudio. The library is initialised once, on the first acquire(), and stays initialised for
// the rest of the process: terminating it makes ALSA unload its plug-ins, whose libraries leave
// their allocations behind (LeakSanitizer reports them), and initialising again would enumerate
// every device again. Streams are closed by their owners; the process's exit does the rest.
class PortAudioSystem {
  public:
    // The shared handle; initialises PortAudio on first use. Thread-safe. Never nullptr: a
    // failed initialisation gives a handle whose ok() is false, and the next call tries again.
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
