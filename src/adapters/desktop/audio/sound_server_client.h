#pragma once

struct pa_threaded_mainloop;
struct pa_context;

namespace strumwise::platform::desktop {

// A client of the sound server (PulseAudio, or PipeWire's PulseAudio service) that runs on the
// client library's own thread: its main loop and context, made together, connected to the server
// the process would connect to (PULSE_SERVER, or the session's) without ever starting one, and
// torn down in the order the library needs.
class SoundServerClient {
  public:
    // Made, not connected: a caller sets its context's callbacks first.
    explicit SoundServerClient(const char* name);
    ~SoundServerClient();
    SoundServerClient(const SoundServerClient&) = delete;
    SoundServerClient& operator=(const SoundServerClient&) = delete;

    // Whether the library could make the loop and the context.
    bool made() const { return loop_ != nullptr && context_ != nullptr; }
    // Asks to connect and starts the library's thread; false when either fails at once. The
    // context's state tells the rest.
    bool connect();
    // Waits for the library's thread to end, so that no callback runs after it; a stream of the
    // context may then be released. Does nothing the second time.
    void stop();

    pa_threaded_mainloop* loop() const { return loop_; }
    pa_context* context() const { return context_; }

  private:
    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    bool running_ = false;
};

}  // namespace strumwise::platform::desktop
