#pragma once

#include <atomic>
#include <functional>

#include "adapters/desktop/audio/sound_server_client.h"

struct pa_context;

namespace strumwise::platform::desktop {

// Tells when a device of the sound server (PulseAudio, or PipeWire's PulseAudio service) comes,
// goes or changes, or the server's default device does: a USB microphone plugged in, a headset
// unplugged. `changed` runs on the client library's own thread, never on an audio thread; it
// must not block. Watches the server the process would connect to (PULSE_SERVER, or the
// session's), if one answers; never starts one.
class SoundServerWatch {
  public:
    explicit SoundServerWatch(std::function<void()> changed);
    SoundServerWatch(const SoundServerWatch&) = delete;
    SoundServerWatch& operator=(const SoundServerWatch&) = delete;

    // Whether the server answered and reports its changes.
    bool watching() const { return state_.load() == State::Watching; }
    // Whether no server answered, or the one that did has gone away: only a new watch will see
    // a server that starts later.
    bool ended() const { return state_.load() == State::Ended; }

  private:
    static void onState(pa_context* context, void* self);

    const std::function<void()> changed_;
    enum class State { Connecting, Watching, Ended };
    std::atomic<State> state_ = State::Ended;
    // Last, so that its thread has stopped before what the callbacks use is released.
    SoundServerClient client_;
};

}  // namespace strumwise::platform::desktop
