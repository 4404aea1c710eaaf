// The cost of rendering the reference tone: what the render callback spends per output frame on
// the audio thread. A 44100 Hz stream has about 22.7 us per frame in real time.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "tones/tone_generator.h"

namespace {

using strumwise::tones::ToneGenerator;

void renderTone(benchmark::State& state, std::uint64_t wave) {
    const auto frames = static_cast<std::uint32_t>(state.range(0));
    ToneGenerator generator;
    generator.setCurTone(wave);
    generator.setToneFrequency(293.6f);
    std::vector<std::int16_t> samples(2 * static_cast<std::size_t>(frames));
    strumwise::platform::AudioBuffer buffer{2, frames * 4, samples.data()};
    strumwise::platform::AudioBufferList list{1, &buffer};
    for (auto _ : state) {
        generator.render(frames, list);
        benchmark::DoNotOptimize(samples.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * frames);
    // Seconds per frame, shown in ns by the counter's inverse rate.
    state.counters["per_frame"] = benchmark::Counter(
        static_cast<double>(frames),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ToneRenderTriangleBlend(benchmark::State& state) {
    renderTone(state, strumwise::tones::kWaveTriangle);
}
void BM_ToneRenderPureSine(benchmark::State& state) {
    renderTone(state, strumwise::tones::kWaveSine);
}

// 512 frames is a typical callback buffer; 4096 a large one.
BENCHMARK(BM_ToneRenderTriangleBlend)->Arg(512)->Arg(4096);
BENCHMARK(BM_ToneRenderPureSine)->Arg(512);

}  // namespace

BENCHMARK_MAIN();
