#include "adapters/desktop/audio/sound_server_watch.h"

#include <pulse/context.h>
#include <pulse/subscribe.h>

namespace strumwise::platform::desktop {

SoundServerWatch::SoundServerWatch(std::function<void()> changed)
    : changed_(std::move(changed)), client_("Strumwise device watch") {
    if (!client_.made()) {
        return;
    }
    pa_context_set_state_callback(client_.context(), &SoundServerWatch::onState, this);
    state_ = State::Connecting;
    if (!client_.connect()) {
        state_ = State::Ended;
    }
}

// The library's thread: once connected, asks for the devices' and the server's events.
void SoundServerWatch::onState(pa_context* context, void* self) {
    auto& watch = *static_cast<SoundServerWatch*>(self);
    const pa_context_state_t state = pa_context_get_state(context);
    if (state == PA_CONTEXT_READY) {
        pa_context_set_subscribe_callback(
            context,
            [](pa_context*, pa_subscription_event_type_t event, std::uint32_t, void* watching) {
                // A device's volume or state changes often, and changes nothing in the list.
                const auto facility = event & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
                const auto type = event & PA_SUBSCRIPTION_EVENT_TYPE_MASK;
                if (type != PA_SUBSCRIPTION_EVENT_CHANGE ||
                    facility == PA_SUBSCRIPTION_EVENT_SERVER) {
                    static_cast<SoundServerWatch*>(watching)->changed_();
                }
            },
            &watch);
        const auto mask = static_cast<pa_subscription_mask_t>(
            PA_SUBSCRIPTION_MASK_SINK | PA_SUBSCRIPTION_MASK_SOURCE | PA_SUBSCRIPTION_MASK_SERVER);
        if (pa_operation* operation = pa_context_subscribe(context, mask, nullptr, nullptr)) {
            pa_operation_unref(operation);
            watch.state_ = State::Watching;
        } else {
            watch.state_ = State::Ended;
        }
    } else if (!PA_CONTEXT_IS_GOOD(state)) {
        watch.state_ = State::Ended;
    }
}

}  // namespace strumwise::platform::desktop
