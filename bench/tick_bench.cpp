// The cost of one tuner tick on the main thread, pitch estimate included: the budget is the
// tick period, 0.1 s.

#include <benchmark/benchmark.h>

#include <memory>

#include "adapters/headless/headless_platform.h"
#include "pitch/mic_listener.h"
#include "screen/listener_microphone.h"
#include "screen/outlet_binding.h"
#include "screen/view_controller.h"
#include "support/test_signals.h"
#include "tones/tone_generator.h"
#include "tuner/tuner_state.h"

namespace {

namespace headless = strumwise::platform::headless;
using namespace strumwise;

// A listening microphone whose latest block is the first 4096 samples of `signal`, on an
// untraced headless screen.
struct TickRig {
    explicit TickRig(std::vector<std::int16_t> samples) {
        auto signal = std::make_shared<headless::MicrophoneSignal>();
        signal->samples = std::move(samples);
        platform.audioInput().setSignal(signal);
        listener.listen();
        // The first block is heard 4096 / 14039 s after listening starts.
        platform.runLoop().advanceBy(headless::secondsToMicros(0.3));
    }

    headless::HeadlessPlatform platform;
    pitch::MicListener listener{platform.services().audioInput, platform.services().audioSession,
                                platform.services().log};
    screen::ListenerMicrophone microphone{listener};
    tuner::TunerState state;
    tones::ToneGenerator generator;
    screen::ViewController controller{
        platform.services(),
        screen::bindOutlets(*platform.windows().loadStoryboard("Main_iPhone6")), state, microphone,
        generator};
};

void BM_TickPluckedD4(benchmark::State& benchState) {
    TickRig rig(testing::pluckedString(293.66, 1.0));
    for (auto _ : benchState) {
        rig.controller.tickFree();
    }
    if (!rig.state.tunedFlags[0]) {
        benchState.SkipWithError("the plucked D4 did not match string 1");
    }
}
BENCHMARK(BM_TickPluckedD4)->Unit(benchmark::kMillisecond);

// Silence still runs the estimate; only the screen writes differ.
void BM_TickSilence(benchmark::State& benchState) {
    TickRig rig(std::vector<std::int16_t>(14039, 0));
    for (auto _ : benchState) {
        rig.controller.tickFree();
    }
}
BENCHMARK(BM_TickSilence)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
