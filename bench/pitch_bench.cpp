// The cost of one pitch estimate, the tuner's main work ten times a second, against the bare
// 32768-point real transform inside it.

#include <benchmark/benchmark.h>
#include <kiss_fftr.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "pitch/note_reader.h"
#include "pitch/pitch_estimator.h"
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

// The note reading the screen shows, once a tick: a plucked D4 whose start lies in the history
// (1: read from the 2048 samples after it) or beyond it (0: the latest 4096).
void BM_NoteReader(benchmark::State& state) {
    std::vector<std::int16_t> samples(strumwise::pitch::NoteReader::kHistorySamples, 0);
    const std::vector<std::int16_t> pluck = strumwise::testing::pluckedString(293.66, 1.0);
    const std::size_t from = state.range(0) == 1 ? samples.size() - 2100 : 0;
    std::copy(pluck.begin(), pluck.begin() + static_cast<std::ptrdiff_t>(samples.size() - from),
              samples.begin() + static_cast<std::ptrdiff_t>(from));
    auto reader = std::make_unique<strumwise::pitch::NoteReader>(strumwise::testing::kCaptureRate);
    std::uint64_t end = samples.size();
    for (auto _ : state) {
        benchmark::DoNotOptimize(reader->read(samples, end));
    }
}
BENCHMARK(BM_NoteReader)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

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
