#pragma once

#include <memory>

#include "platform/application.h"
#include "platform/audio_output.h"
#include "platform/audio_session.h"
#include "platform/log.h"
#include "platform/run_loop.h"
#include "platform/storyboard.h"
#include "platform/user_defaults.h"
#include "trace/trace_sink.h"

namespace strumwise::platform::trace {

// The services a trace can watch, one reference each.
struct TraceableServices {
    Log& log;
    RunLoop& runLoop;
    UserDefaults& defaults;
    Application& application;
    AudioSession& audioSession;
    AudioOutputUnitFactory& audioOutput;
    Windows& windows;
};

// A composition root's traceable services as the logic is to see them: each behind its traced
// decorator when a trace is asked for, else the plain one. The choice is made once, here, so
// that the root hands the logic the same set of references either way.
class OptionallyTracedServices {
  public:
    // With no sink the plain services are handed on as they are.
    OptionallyTracedServices(const TraceableServices& plain, TraceSink* sink);
    ~OptionallyTracedServices();
    OptionallyTracedServices(const OptionallyTracedServices&) = delete;
    OptionallyTracedServices& operator=(const OptionallyTracedServices&) = delete;

    const TraceableServices& services() const { return chosen_; }

  private:
    struct Decorators;
    std::unique_ptr<Decorators> decorators_;
    TraceableServices chosen_;
};

}  // namespace strumwise::platform::trace
