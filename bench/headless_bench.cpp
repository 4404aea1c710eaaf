// The speed of a whole headless run: seconds of microphone audio the application gets through
// per second of CPU, with the trace formatted as the command prints it.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "app/headless_app.h"
#include "support/test_signals.h"

namespace {

namespace headless = strumwise::platform::headless;

// Ten seconds of playing: each string of open G plucked for two seconds, in turn.
std::shared_ptr<const headless::MicrophoneSignal> tenSecondsOfPlucks() {
    auto signal = std::make_shared<headless::MicrophoneSignal>();
    for (const double hertz : {293.66, 246.94, 196.00, 146.83, 392.00}) {
        const auto pluck = strumwise::testing::pluckedString(hertz, 2.0);
        signal->samples.insert(signal->samples.end(), pluck.begin(), pluck.end());
    }
    return signal;
}

void runHeadless(benchmark::State& state, strumwise::platform::trace::TraceSink::Format format) {
    const auto signal = tenSecondsOfPlucks();
    const double seconds = static_cast<double>(signal->samples.size()) / signal->sampleRate;
    std::size_t bytes = 0;
    for (auto _ : state) {
        strumwise::app::HeadlessRunConfig config;
        config.platform.layoutNames = strumwise::app::headlessLayoutNames();
        config.platform.traceFormat = format;
        config.platform.traceWriter = [&bytes](std::string_view line) { bytes += line.size() + 1; };
        config.microphone = signal;
        strumwise::app::HeadlessApp app(std::move(config));
        app.launch();
        app.runUntil(headless::secondsToMicros(seconds));
        app.finish();
    }
    benchmark::DoNotOptimize(bytes);
    state.counters["audio_s_per_cpu_s"] =
        benchmark::Counter(seconds, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["trace_bytes"] =
        benchmark::Counter(static_cast<double>(bytes) / static_cast<double>(state.iterations()));
}

void BM_HeadlessRunText(benchmark::State& state) {
    runHeadless(state, strumwise::platform::trace::TraceSink::Format::Text);
}
void BM_HeadlessRunJson(benchmark::State& state) {
    runHeadless(state, strumwise::platform::trace::TraceSink::Format::Json);
}

BENCHMARK(BM_HeadlessRunText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeadlessRunJson)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
