// What `strumwise estimate` costs on a long recording: a two-hour 44.1 kHz file read a block at
// a time, resampled to the capture rate and estimated block by block. Reported per hour of
// audio (CPU seconds) and as the process's peak resident memory, which must not grow with the
// file's length.

#include <benchmark/benchmark.h>
#include <sndfile.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "adapters/sound_files/audio_file.h"
#include "base/level_meter.h"
#include "pitch/mic_listener.h"
#include "pitch/pitch_estimator.h"

namespace {

namespace fs = std::filesystem;
using strumwise::pitch::MicListener;

constexpr int kFileRate = 44100;
constexpr double kFileHours = 2.0;

// Two hours of a G string plucked every 2 s, written once per run of the benchmark.
std::string longRecording() {
    static const fs::path path =
        fs::temp_directory_path() / ("strumwise_bench_" + std::to_string(::getpid()) + ".wav");
    if (fs::exists(path)) {
        return path.string();
    }
    SF_INFO info{};
    info.samplerate = kFileRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    std::vector<std::int16_t> pluck(2 * kFileRate);
    for (std::size_t n = 0; n < pluck.size(); ++n) {
        const double t = static_cast<double>(n) / kFileRate;
        pluck[n] = static_cast<std::int16_t>(std::lround(
            12000.0 * std::exp(-2.0 * t) * std::sin(2.0 * std::numbers::pi * 196.0 * t)));
    }
    const auto plucks = static_cast<int>(kFileHours * 3600.0 / 2.0);
    for (int i = 0; i < plucks; ++i) {
        sf_write_short(file, pluck.data(), static_cast<sf_count_t>(pluck.size()));
    }
    sf_close(file);
    return path.string();
}

double cpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_EstimateTwoHourFile(benchmark::State& state) {
    const std::string path = longRecording();
    const double cpuBefore = cpuSeconds();
    std::size_t blocks = 0;
    for (auto _ : state) {
        std::string error;
        auto reader = strumwise::platform::sound_files::AudioFileReader::open(
            path, MicListener::kSampleRate, error);
        if (!reader) {
            state.SkipWithError(error.c_str());
            return;
        }
        auto estimator =
            std::make_unique<strumwise::pitch::PitchEstimator>(MicListener::kSampleRate);
        std::vector<std::int16_t> block(MicListener::kBufferBytes / 2);
        for (std::size_t count; (count = reader->read(block)) > 0; ++blocks) {
            benchmark::DoNotOptimize(estimator->getFreqFromBuffer(
                block.data(), static_cast<std::uint32_t>(count * sizeof(std::int16_t))));
            benchmark::DoNotOptimize(
                strumwise::measureLevel(std::span<const std::int16_t>(block.data(), count)));
        }
    }
    const double audioHours = kFileHours * static_cast<double>(state.iterations());
    state.counters["cpu_s_per_audio_hour"] = (cpuSeconds() - cpuBefore) / audioHours;
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["blocks"] = static_cast<double>(blocks);
    fs::remove(path);
}
BENCHMARK(BM_EstimateTwoHourFile)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
