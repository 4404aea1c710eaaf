#include "platform/desktop/portaudio_system.h"

#include <portaudio.h>

#include <mutex>

namespace strumwise::platform::desktop {

namespace {

// The live handle, if any. A weak reference, so that the library is terminated when its last
// user lets go rather than at static destruction, when capture threads may already be gone.
std::mutex gMutex;
std::weak_ptr<PortAudioSystem> gCurrent;

}  // namespace

std::shared_ptr<PortAudioSystem> PortAudioSystem::acquire() {
    std::lock_guard lock(gMutex);
    if (auto current = gCurrent.lock()) {
        return current;
    }
    // The constructor is private, so make_shared cannot reach it.
    std::shared_ptr<PortAudioSystem> created(new PortAudioSystem());
    gCurrent = created;
    return created;
}

PortAudioSystem::PortAudioSystem() {
    const PaError status = Pa_Initialize();
    ok_ = status == paNoError;
    if (!ok_) {
        error_ = "PortAudio could not be initialised: " + portAudioErrorText(status);
    }
}

PortAudioSystem::~PortAudioSystem() {
    // acquire() holds the mutex while it creates a handle, so termination cannot interleave with
    // a new initialisation.
    std::lock_guard lock(gMutex);
    if (ok_) {
        Pa_Terminate();
    }
}

std::string portAudioErrorText(int error) {
    const char* text = Pa_GetErrorText(static_cast<PaError>(error));
    return text != nullptr ? text : "unknown PortAudio error";
}

}  // namespace strumwise::platform::desktop
