#pragma once

#include <memory>
#include <string>
#include <vector>

#include "adapters/headless/file_audio_input.h"
#include "adapters/headless/headless_application.h"
#include "adapters/headless/headless_audio_session.h"
#include "adapters/headless/headless_bundle.h"
#include "adapters/headless/headless_device.h"
#include "adapters/headless/headless_images.h"
#include "adapters/headless/headless_log.h"
#include "adapters/headless/headless_storyboard.h"
#include "adapters/headless/memory_user_defaults.h"
#include "adapters/headless/virtual_audio_output.h"
#include "adapters/headless/virtual_clock.h"
#include "adapters/headless/virtual_dispatch.h"
#include "adapters/headless/virtual_run_loop.h"
#include "platform/services.h"
#include "trace/trace_services.h"
#include "trace/trace_sink.h"
#include "trace/trace_views.h"

namespace strumwise::platform::headless {

struct HeadlessConfig {
    ScreenProfile screen;
    std::string systemVersion = HeadlessDevice::kDefaultSystemVersion;
    // The persistent store; nullptr keeps the defaults in memory.
    std::unique_ptr<UserDefaults> defaults;
    // The layouts among the resources; empty accepts every name.
    std::vector<std::string> layoutNames;
    trace::TraceSink::Format traceFormat = trace::TraceSink::Format::Text;
    // Where trace lines go; without a writer nothing is traced.
    trace::TraceSink::LineWriter traceWriter;
};

// The whole headless platform in one object: every service on the virtual clock, the traced
// decorators around them, and the plain services behind the decorators for tests to inspect.
// services() and windows() answer the traced ones, which the application is built on.
//
// Create it, build the application on services() and windows(), then drive time with
// runLoop().runUntil / advanceBy. Everything runs on the calling thread.
class HeadlessPlatform {
  public:
    explicit HeadlessPlatform(HeadlessConfig config = {});
    HeadlessPlatform(const HeadlessPlatform&) = delete;
    HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

    Services& services() { return services_; }
    Windows& windows() { return tracedWindows_; }
    trace::TraceSink& trace() { return sink_; }

    VirtualRunLoop& runLoop() { return runLoop_; }
    VirtualClock& clock() { return clock_; }
    HeadlessLog& log() { return log_; }
    UserDefaults& store() { return *store_; }
    HeadlessDevice& device() { return device_; }
    HeadlessApplication& application() { return application_; }
    HeadlessAudioSession& audioSession() { return audioSession_; }
    HeadlessBundle& bundle() { return bundle_; }
    HeadlessImages& images() { return images_; }
    HeadlessWindows& headlessWindows() { return windows_; }
    FileAudioInputQueueFactory& audioInput() { return audioInput_; }
    VirtualAudioOutputUnitFactory& audioOutput() { return audioOutput_; }

  private:
    VirtualRunLoop runLoop_;
    VirtualClock clock_{runLoop_};
    VirtualDispatch dispatch_{runLoop_};
    trace::TraceSink sink_;

    HeadlessLog log_;
    trace::TracedLog tracedLog_{log_, sink_};
    std::unique_ptr<UserDefaults> store_;
    trace::TracedUserDefaults tracedDefaults_{*store_, sink_};
    trace::TracedRunLoop tracedRunLoop_{runLoop_, sink_};
    HeadlessDevice device_;
    HeadlessApplication application_;
    trace::TracedApplication tracedApplication_{application_, sink_};
    HeadlessBundle bundle_;
    HeadlessImages images_;
    FileAudioInputQueueFactory audioInput_{runLoop_, tracedLog_, nullptr};
    VirtualAudioOutputUnitFactory audioOutput_{runLoop_};
    trace::TracedAudioOutputUnitFactory tracedAudioOutput_{audioOutput_, sink_};
    HeadlessAudioSession audioSession_;
    trace::TracedAudioSession tracedAudioSession_{audioSession_, sink_};
    HeadlessWindows windows_;
    trace::TracedWindows tracedWindows_{windows_, sink_};

    Services services_;
};

}  // namespace strumwise::platform::headless
