#include "trace/optionally_traced.h"

#include "trace/trace_services.h"
#include "trace/trace_views.h"

namespace strumwise::platform::trace {

struct OptionallyTracedServices::Decorators {
    Decorators(const TraceableServices& plain, TraceSink& sink)
        : log(plain.log, sink),
          runLoop(plain.runLoop, sink),
          defaults(plain.defaults, sink),
          application(plain.application, sink),
          audioSession(plain.audioSession, sink),
          audioOutput(plain.audioOutput, sink),
          windows(plain.windows, sink) {}

    TracedLog log;
    TracedRunLoop runLoop;
    TracedUserDefaults defaults;
    TracedApplication application;
    TracedAudioSession audioSession;
    TracedAudioOutputUnitFactory audioOutput;
    TracedWindows windows;
};

OptionallyTracedServices::OptionallyTracedServices(const TraceableServices& plain, TraceSink* sink)
    : decorators_(sink != nullptr ? std::make_unique<Decorators>(plain, *sink) : nullptr),
      chosen_(decorators_
                  ? TraceableServices{decorators_->log, decorators_->runLoop, decorators_->defaults,
                                      decorators_->application, decorators_->audioSession,
                                      decorators_->audioOutput, decorators_->windows}
                  : plain) {}

OptionallyTracedServices::~OptionallyTracedServices() = default;

}  // namespace strumwise::platform::trace
