#include "adapters/desktop/audio/portaudio_system.h"

#include <dlfcn.h>
#include <portaudio.h>

#include <mutex>

namespace strumwise::platform::desktop {

namespace {

std::mutex gMutex;
// The initialised library, kept for the process: allocated and never freed, so that no static
// destructor terminates PortAudio at exit.
std::shared_ptr<PortAudioSystem>* gInitialised = nullptr;

// While PortAudio enumerates devices, ALSA and JACK print dozens of lines about cards, plug-ins
// and servers that do not exist on this machine. Our own log says plainly when there is no
// usable device, so their chatter is silenced. Both libraries come in with PortAudio; they are
// looked up at run time so that a PortAudio built without one of them still works.
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
void ignoreJackMessage(const char*) {}

void quietSoundLibraries() {
    using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetAlsaErrorHandler = int (*)(AlsaErrorHandler);
    using JackMessageHandler = void (*)(const char*);
    using SetJackMessageHandler = void (*)(JackMessageHandler);

    if (void* symbol = dlsym(RTLD_DEFAULT, "snd_lib_error_set_handler")) {
        reinterpret_cast<SetAlsaErrorHandler>(symbol)(&ignoreAlsaError);
    }
    for (const char* name : {"jack_set_error_function", "jack_set_info_function"}) {
        if (void* symbol = dlsym(RTLD_DEFAULT, name)) {
            reinterpret_cast<SetJackMessageHandler>(symbol)(&ignoreJackMessage);
        }
    }
}

}  // namespace

std::shared_ptr<PortAudioSystem> PortAudioSystem::acquire() {
    std::lock_guard lock(gMutex);
    if (gInitialised != nullptr) {
        return *gInitialised;
    }
    // The constructor is private, so make_shared cannot reach it.
    std::shared_ptr<PortAudioSystem> created(new PortAudioSystem());
    if (created->ok()) {
        gInitialised = new std::shared_ptr<PortAudioSystem>(created);
    }
    return created;
}

PortAudioSystem::PortAudioSystem() {
    quietSoundLibraries();
    const PaError status = Pa_Initialize();
    ok_ = status == paNoError;
    if (!ok_) {
        error_ = "PortAudio could not be initialised: " + portAudioErrorText(status);
    }
}

PortAudioSystem::~PortAudioSystem() {
    // Only a handle whose initialisation failed is ever destroyed; PortAudio has nothing to
    // undo then. The check keeps the pairing right should that change.
    if (ok_) {
        Pa_Terminate();
    }
}

std::string portAudioErrorText(int error) {
    const char* text = Pa_GetErrorText(static_cast<PaError>(error));
    return text != nullptr ? text : "unknown PortAudio error";
}

}  // namespace strumwise::platform::desktop
