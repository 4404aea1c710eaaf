// The cost of one pitch estimate, the tuner's main work ten times a second, against the bare
// 32768-point real transform inside it.

#include <benchmark/benchmark.h>
#include <kiss_fftr.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "pitch/pitch_estimator.h"
#include "pitch/test_signals.h"
#include "support/test_signals.h"

namespace {

using strumwise::pitch::PitchEstimator;

void BM_GetFreqFromBuffer(benchmark::State& state) {
    auto estimator = std::make_unique<PitchEstimator>(strumwise::testing::kCaptureRate);
    // One capture block of a plucked D4.
    const std::vector<std::int16_t> block = strumwise::testing::pluckedString(293.66, 1.0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(estimator->getFreqFromBuffer(block.data(), 8192));
    }
}
BENCHMARK(BM_GetFreqFromBuffer)->Unit(benchmark::kMicrosecond);

// The estimate the tuner uses: the same, with its octave checked. On the plucked D4 the check
// finds nothing to move; on a tone whose fundamental is weak beside its partials (as a banjo's
// often is) the harmonic sum lands on the octave and the check moves it down.
void BM_GetFreqFromBufferWithOctaveCheck(benchmark::State& state) {
    auto estimator = std::make_unique<PitchEstimator>(strumwise::testing::kCaptureRate);
    const std::vector<std::int16_t> block =
        state.range(0) == 0 ? strumwise::testing::pluckedString(293.66, 1.0)
                            : strumwise::testing::tone(strumwise::testing::binFrequency(350),
                                                       4000.0, {0.05, 1.0, 0.8, 1.0, 0.6, 0.8});
    for (auto _ : state) {
        estimator->getFreqFromBuffer(block.data(), 8192);
        benchmark::DoNotOptimize(estimator->checkOctave());
    }
}
BENCHMARK(BM_GetFreqFromBufferWithOctaveCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_KissFftr32768(benchmark::State& state) {
    constexpr int kPoints = PitchEstimator::kTransformSize;
    kiss_fftr_cfg config = kiss_fftr_alloc(kPoints, 0, nullptr, nullptr);
    std::vector<float> input(kPoints, 0.0f);
    const std::vector<std::int16_t> block = strumwise::testing::pluckedString(293.66, 1.0);
    for (std::size_t i = 0; i < block.size(); ++i) {
        input[i] = block[i];
    }
    std::vector<kiss_fft_cpx> output(kPoints / 2 + 1);
    for (auto _ : state) {
        kiss_fftr(config, input.data(), output.data());
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
    }
    kiss_fftr_free(config);
}
BENCHMARK(BM_KissFftr32768)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
