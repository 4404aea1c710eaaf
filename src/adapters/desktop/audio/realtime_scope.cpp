#include "adapters/desktop/audio/realtime_scope.h"

#include <sched.h>

namespace strumwise::platform::desktop {

RealtimeScope::RealtimeScope() {
    if (pthread_getschedparam(pthread_self(), &policy_, &param_) != 0) {
        return;
    }
    sched_param lowest{};
    lowest.sched_priority = sched_get_priority_min(SCHED_FIFO);
    raised_ = pthread_setschedparam(pthread_self(), SCHED_FIFO, &lowest) == 0;
}

RealtimeScope::~RealtimeScope() {
    if (raised_) {
        pthread_setschedparam(pthread_self(), policy_, &param_);
    }
}

}  // namespace strumwise::platform::desktop
