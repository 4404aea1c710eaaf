#include "adapters/headless/headless_platform.h"

namespace strumwise::platform::headless {

HeadlessPlatform::HeadlessPlatform(HeadlessConfig config)
    : sink_([this] { return runLoop_.now(); }, config.traceFormat, std::move(config.traceWriter)),
      store_(config.defaults
                 ? std::move(config.defaults)
                 : std::make_unique<MemoryUserDefaults>(std::string(HeadlessBundle::kIdentifier))),
      device_(config.screen, std::move(config.systemVersion)),
      windows_(std::move(config.layoutNames)),
      services_{tracedLog_,      clock_,      tracedRunLoop_,     dispatch_,
                tracedDefaults_, device_,     tracedApplication_, bundle_,
                images_,         audioInput_, tracedAudioOutput_, &tracedAudioSession_} {}

}  // namespace strumwise::platform::headless
