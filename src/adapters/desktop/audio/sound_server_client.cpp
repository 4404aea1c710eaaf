#include "adapters/desktop/audio/sound_server_client.h"

#include <pulse/context.h>
#include <pulse/thread-mainloop.h>

namespace strumwise::platform::desktop {

SoundServerClient::SoundServerClient(const char* name) {
    loop_ = pa_threaded_mainloop_new();
    if (loop_ != nullptr) {
        context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), name);
    }
}

SoundServerClient::~SoundServerClient() {
    stop();
    if (context_ != nullptr) {
        pa_context_disconnect(context_);
        pa_context_unref(context_);
    }
    if (loop_ != nullptr) {
        pa_threaded_mainloop_free(loop_);
    }
}

bool SoundServerClient::connect() {
    // No autospawn: the tuner must not start a server the user stopped.
    if (!made() || pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        return false;
    }
    running_ = pa_threaded_mainloop_start(loop_) >= 0;
    return running_;
}

void SoundServerClient::stop() {
    if (running_) {
        pa_threaded_mainloop_stop(loop_);
        running_ = false;
    }
}

}  // namespace strumwise::platform::desktop
