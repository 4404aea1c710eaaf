// The cost of one pitch estimate, the tuner's main work ten times a second, against the bare
// 32768-point real transform inside it.

#include <benchmark/benchmark.h>
#include <kiss_fftr.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "pitch/pitch_estimator.h"
#include "pitch/steady_note.h"
#include "pitch/test_signals.h"
#include "support/test_signals.h"

namespace {

using strumwise::pitch::PitchEstimator;

// One capture block: a plucked D4 (0), or a tone whose fundamental is weak beside its partials
// (1), as a banjo's often is, which the harmonic sum reads at the octave.
std::vector<std::int16_t> block(std::int64_t kind) {
    return kind == 0 ? strumwise::testing::pluckedString(293.66, 1.0)
                     : strumwise::testing::tone(strumwise::testing::binFrequency(350), 4000.0,
                                                {0.05, 1.0, 0.8, 1.0, 0.6, 0.8});
}

void BM_GetFreqFromBuffer(benchmark::State& state) {
    auto estimator = std::make_unique<PitchEstimator>(strumwise::testing::kCaptureRate);
    const std::vector<std::int16_t> samples = block(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(estimator->getFreqFromBuffer(samples.data(), 8192));
    }
}
BENCHMARK(BM_GetFreqFromBuffer)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The estimate the tuner uses: the same, with its octave checked. On the plucked D4 the check
// finds nothing to move; on the weak fundamental it moves the octave down.
void BM_GetFreqFromBufferWithOctaveCheck(benchmark::State& state) {
    auto estimator = std::make_unique<PitchEstimator>(strumwise::testing::kCaptureRate);
    const std::vector<std::int16_t> samples = block(state.range(0));
    for (auto _ : state) {
        estimator->getFreqFromBuffer(samples.data(), 8192);
        benchmark::DoNotOptimize(estimator->checkOctave());
    }
}
BENCHMARK(BM_GetFreqFromBufferWithOctaveCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Judging whether a block holds one steady note, once per captured block (0.29 s): the pitch
// of each half, and, for a block a pluck began in (2), the pitch of the part after it too.
void BM_SteadyNote(benchmark::State& state) {
    std::vector<std::int16_t> samples = block(0);
    if (state.range(0) == 2) {
        // The pluck starts a quarter into the block, over a quiet ring of the same note.
        std::vector<std::int16_t> quiet = strumwise::testing::pluckedString(293.66, 0.1, 0.05);
        std::copy(samples.begin(), samples.begin() + 3072, samples.begin() + 1024);
        std::copy(quiet.begin(), quiet.begin() + 1024, samples.begin());
    }
    strumwise::pitch::SteadyNote note(strumwise::testing::kCaptureRate);
    for (auto _ : state) {
        note.observe(std::span(samples.data(), 4096), 293.66);
        benchmark::DoNotOptimize(note.hertz());
    }
}
BENCHMARK(BM_SteadyNote)->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond);

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
