#pragma once

#include <pthread.h>

namespace strumwise::platform::desktop {

// Runs the calling thread at the lowest real-time priority while it lives, where the system lets
// this process do so (root, or a user whose limits allow real-time threads, as the audio and
// PipeWire groups' do); elsewhere it changes nothing. A thread started meanwhile inherits that
// priority: the sound server's client library starts its own for a stream opened here.
class RealtimeScope {
  public:
    RealtimeScope();
    ~RealtimeScope();
    RealtimeScope(const RealtimeScope&) = delete;
    RealtimeScope& operator=(const RealtimeScope&) = delete;

    bool raised() const { return raised_; }

  private:
    int policy_ = SCHED_OTHER;
    sched_param param_{};
    bool raised_ = false;
};

}  // namespace strumwise::platform::desktop
