#include "adapters/desktop/audio/sound_server_devices.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>

#include <memory>

namespace strumwise::platform::desktop {
namespace {

using SteadyClock = std::chrono::steady_clock;

struct MainloopDeleter {
    void operator()(pa_mainloop* loop) const { pa_mainloop_free(loop); }
};
struct ContextDeleter {
    void operator()(pa_context* context) const {
        pa_context_disconnect(context);
        pa_context_unref(context);
    }
};

// What the callbacks fill in; they run on this thread, inside pa_mainloop_dispatch.
struct Query {
    SoundServerDevices answer;
    int pending = 0;
    bool failed = false;
};

SoundServerDevice deviceOf(const char* name, const char* description,
                           const pa_sample_spec& format) {
    SoundServerDevice device;
    device.name = name != nullptr ? name : "";
    device.description = description != nullptr && *description != '\0' ? description : device.name;
    device.channels = format.channels;
    device.sampleRate = static_cast<int>(format.rate);
    return device;
}

// The end of one list, or a failure to read it, counts as that request's answer.
void listed(Query& query, int eol) {
    if (eol < 0) {
        query.failed = true;
    }
    if (eol != 0) {
        --query.pending;
    }
}

void onSink(pa_context*, const pa_sink_info* info, int eol, void* userData) {
    auto& query = *static_cast<Query*>(userData);
    if (eol == 0 && info != nullptr) {
        query.answer.sinks.push_back(deviceOf(info->name, info->description, info->sample_spec));
    }
    listed(query, eol);
}

void onSource(pa_context*, const pa_source_info* info, int eol, void* userData) {
    auto& query = *static_cast<Query*>(userData);
    if (eol == 0 && info != nullptr) {
        query.answer.sources.push_back(deviceOf(info->name, info->description, info->sample_spec));
    }
    listed(query, eol);
}

void onServer(pa_context*, const pa_server_info* info, void* userData) {
    auto& query = *static_cast<Query*>(userData);
    if (info != nullptr) {
        query.answer.serverName = info->server_name != nullptr ? info->server_name : "";
        query.answer.defaultSink =
            info->default_sink_name != nullptr ? info->default_sink_name : "";
        query.answer.defaultSource =
            info->default_source_name != nullptr ? info->default_source_name : "";
    } else {
        query.failed = true;
    }
    --query.pending;
}

// Runs the loop until `done` or the deadline; answers whether `done` came first.
template <typename Done>
bool runUntil(pa_mainloop* loop, SteadyClock::time_point deadline, Done done) {
    while (!done()) {
        const auto left =
            std::chrono::duration_cast<std::chrono::microseconds>(deadline - SteadyClock::now());
        if (left.count() <= 0) {
            return false;
        }
        if (pa_mainloop_prepare(loop, static_cast<int>(left.count())) < 0 ||
            pa_mainloop_poll(loop) < 0 || pa_mainloop_dispatch(loop) < 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

SoundServerDevices querySoundServer(std::chrono::milliseconds limit) {
    const auto deadline = SteadyClock::now() + limit;
    Query query;
    const std::unique_ptr<pa_mainloop, MainloopDeleter> loop(pa_mainloop_new());
    if (!loop) {
        query.answer.error = "the sound server's client library could not start";
        return query.answer;
    }
    const std::unique_ptr<pa_context, ContextDeleter> context(
        pa_context_new(pa_mainloop_get_api(loop.get()), "Strumwise device list"));
    if (!context) {
        query.answer.error = "the sound server's client library could not start";
        return query.answer;
    }
    // No autospawn: listing devices must not start a server the user stopped.
    if (pa_context_connect(context.get(), nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        query.answer.error =
            std::string("no sound server answers: ") + pa_strerror(pa_context_errno(context.get()));
        return query.answer;
    }
    const auto settled = [&] {
        const pa_context_state_t state = pa_context_get_state(context.get());
        return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
    };
    if (!runUntil(loop.get(), deadline, settled)) {
        query.answer.error = "the sound server does not answer";
        return query.answer;
    }
    if (pa_context_get_state(context.get()) != PA_CONTEXT_READY) {
        query.answer.error =
            std::string("no sound server answers: ") + pa_strerror(pa_context_errno(context.get()));
        return query.answer;
    }
    query.pending = 3;
    for (pa_operation* operation :
         {pa_context_get_server_info(context.get(), &onServer, &query),
          pa_context_get_sink_info_list(context.get(), &onSink, &query),
          pa_context_get_source_info_list(context.get(), &onSource, &query)}) {
        if (operation == nullptr) {
            query.failed = true;
            --query.pending;
        } else {
            pa_operation_unref(operation);  // the callbacks still run
        }
    }
    if (!runUntil(loop.get(), deadline, [&] { return query.pending == 0; }) || query.failed) {
        query.answer.error = "the sound server did not list its devices";
        query.answer.sinks.clear();
        query.answer.sources.clear();
        return query.answer;
    }
    query.answer.reachable = true;
    return query.answer;
}

}  // namespace strumwise::platform::desktop
