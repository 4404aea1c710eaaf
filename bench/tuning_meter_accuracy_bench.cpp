// How close the tuning meter's cents come to the truth on real plucked sounds: every note of the
// four tunings detuned by 0, +-3, +-7 and +-20 cents, as sox plucks and as a sampled banjo
// (bench/make_accuracy_set.sh renders them). Each file is cut into capture blocks as the
// microphone would deliver them; a block counts when it is loud enough to measure and its
// specified estimate falls on the note played. Prints the absolute error's median and 95th
// percentile per sound and detuning against three truths (see printAccuracy), then times one
// block's estimate with its refinement.
//
//   bench/make_accuracy_set.sh build/accuracy_set
//   build/release/bench/tuning_meter_accuracy_bench build/accuracy_set

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "adapters/sound_files/audio_file.h"
#include "base/level_meter.h"
#include "pitch/pitch_estimator.h"
#include "tuner/tuner_tick.h"
#include "tuner/tuning_meter.h"
#include "tuner/tuning_table.h"

namespace {

using strumwise::pitch::PitchEstimator;
namespace tuner = strumwise::tuner;

constexpr double kRate = 14039.0;
constexpr std::size_t kBlock = 4096;

struct Block {
    std::string sound;  // "pluck" or "banjo"
    int midi = 0;
    int detune = 0;
    std::size_t index = 0;  // the block's place in its file
    std::vector<std::int16_t> samples;
};

std::string noteName(int midi) {
    static const char* const kNames[] = {"C",  "C#", "D",  "D#", "E",  "F",
                                         "F#", "G",  "G#", "A",  "A#", "B"};
    return kNames[midi % 12] + std::to_string(midi / 12 - 1);
}

// A tuning that has the note, so that the meter can name it.
std::uint64_t tuningWith(const std::string& note) {
    for (std::uint64_t tuning = 1; tuning <= tuner::kTuningCount; ++tuning) {
        for (int string = 1; string <= tuner::kStringCount; ++string) {
            if (tuner::noteOf(tuning, string)->name == note) {
                return tuning;
            }
        }
    }
    return 0;
}

std::vector<Block> loudBlocks(const std::filesystem::path& directory) {
    std::vector<Block> blocks;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        Block file;
        char sound[16] = {};
        if (entry.path().extension() != ".wav" ||
            std::sscanf(entry.path().stem().c_str(), "%15[a-z]_%d_%d", sound, &file.midi,
                        &file.detune) != 3) {
            continue;
        }
        file.sound = sound;
        const auto decoded = strumwise::platform::sound_files::readAudioFile(entry.path(), kRate);
        if (!decoded.error.empty()) {
            std::fprintf(stderr, "%s\n", decoded.error.c_str());
            continue;
        }
        for (std::size_t start = 0; start + kBlock <= decoded.samples.size(); start += kBlock) {
            const std::span<const std::int16_t> samples(decoded.samples.data() + start, kBlock);
            if (strumwise::measureLevel(samples).averagePower > tuner::TunerTick::kMeasureAbove) {
                Block block = file;
                block.index = start / kBlock;
                block.samples.assign(samples.begin(), samples.end());
                blocks.push_back(std::move(block));
            }
        }
    }
    return blocks;
}

// The pitch of a block by another road, for sounds whose pitch is not known beforehand: the
// sampled banjo is not tuned exactly (its G3 sits 14 to 18 cents flat) and glides after the
// attack. The magnitude of the block's Fourier sum under a 4-term Blackman-Harris window (side
// lobes 92 dB down, so no partial leaks into another) is maximised by golden-section search
// within a bin of `near`; slow, exact, and sharing nothing with the tuner's own arithmetic.
double referencePitch(const std::vector<std::int16_t>& samples, double near) {
    const auto n = static_cast<double>(samples.size());
    const auto magnitude = [&](double hertz) {
        const double step = 2.0 * M_PI * hertz / kRate;
        double re = 0.0;
        double im = 0.0;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const double t = static_cast<double>(i);
            const double phase = 2.0 * M_PI * t / (n - 1.0);
            const double window = 0.35875 - 0.48829 * std::cos(phase) +
                                  0.14128 * std::cos(2.0 * phase) - 0.01168 * std::cos(3.0 * phase);
            re += window * samples[i] * std::cos(step * t);
            im += window * samples[i] * std::sin(step * t);
        }
        return re * re + im * im;
    };
    const double bin = kRate / n;
    double low = near - bin;
    double high = near + bin;
    const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
    double a = high - ratio * (high - low);
    double b = low + ratio * (high - low);
    double ma = magnitude(a);
    double mb = magnitude(b);
    while (high - low > 1e-4) {
        if (ma < mb) {
            low = a;
            a = b;
            ma = mb;
            b = low + ratio * (high - low);
            mb = magnitude(b);
        } else {
            high = b;
            b = a;
            mb = ma;
            a = high - ratio * (high - low);
            ma = magnitude(a);
        }
    }
    return (low + high) / 2.0;
}

double quantile(std::vector<double> values, double q) {
    if (values.empty()) {
        return NAN;
    }
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(
        std::lround(q * static_cast<double>(values.size() - 1)))];
}

void printAccuracy(const std::vector<Block>& blocks) {
    auto estimator = std::make_unique<PitchEstimator>(kRate);
    struct Measured {
        const Block* block;
        double cents;      // what the meter shows
        double reference;  // the block's reference pitch, in the meter's cents
    };
    // The loud blocks whose estimate falls on the note, and by sound and detuning (kAll: every
    // detuning) the blocks left out because it fell on another.
    constexpr int kAll = 1000;
    std::vector<Measured> measured;
    std::map<std::pair<std::string, int>, int> offNote;
    // The reference pitch of each block of the undetuned sounds, by sound, note and block.
    std::map<std::tuple<std::string, int, std::size_t>, double> undetuned;
    for (const Block& block : blocks) {
        const std::string note = noteName(block.midi);
        const std::uint64_t tuning = tuningWith(note);
        const double hertz = estimator->getFreqFromBuffer(block.samples.data(), kBlock * 2);
        const double refinedHertz = estimator->refinedFrequency();
        const auto estimated = tuner::tuningMeterReading(tuning, hertz);
        if (estimated.note != note || std::abs(estimated.cents) > 50.0) {
            ++offNote[{block.sound, block.detune}];
            ++offNote[{block.sound, kAll}];
            continue;
        }
        const double reference =
            tuner::tuningMeterReading(tuning, referencePitch(block.samples, refinedHertz)).cents;
        measured.push_back(
            {&block, tuner::tuningMeterReading(tuning, refinedHertz).cents, reference});
        if (block.detune == 0) {
            undetuned[{block.sound, block.midi, block.index}] = reference;
        }
    }

    // Three truths: the pitch asked for; the block's own reference pitch; and the undetuned
    // sound's reference pitch at the same moment plus the detuning, which takes the sound font's
    // own tuning and glide out and keeps the bend as the known change.
    struct Errors {
        std::vector<double> asked, reference, bent;
    };
    std::map<std::pair<std::string, int>, Errors> table;
    for (const Measured& m : measured) {
        const Block& block = *m.block;
        for (const int detune : {block.detune, kAll}) {
            Errors& errors = table[{block.sound, detune}];
            errors.asked.push_back(std::abs(m.cents - block.detune));
            errors.reference.push_back(std::abs(m.cents - m.reference));
            const auto found = undetuned.find({block.sound, block.midi, block.index});
            if (found != undetuned.end()) {
                errors.bent.push_back(std::abs(m.cents - (found->second + block.detune)));
            }
        }
    }
    std::printf("absolute error of the meter's cents (median, 95th percentile) against:\n");
    std::printf("%-6s %6s %6s %8s | %7s %6s | %7s %6s | %7s %6s\n", "sound", "detune", "blocks",
                "off-note", "asked", "p95", "block", "p95", "bent", "p95");
    for (const auto& [key, row] : table) {
        const std::string detune = key.second == kAll ? "all" : std::to_string(key.second);
        std::printf("%-6s %6s %6zu %8d | %7.2f %6.2f | %7.2f %6.2f | %7.2f %6.2f\n",
                    key.first.c_str(), detune.c_str(), row.asked.size(), offNote[key],
                    quantile(row.asked, 0.5), quantile(row.asked, 0.95),
                    quantile(row.reference, 0.5), quantile(row.reference, 0.95),
                    quantile(row.bent, 0.5), quantile(row.bent, 0.95));
    }
}

void BM_EstimateAndRefineOneBlock(benchmark::State& state, const std::vector<Block>* blocks) {
    auto estimator = std::make_unique<PitchEstimator>(kRate);
    std::size_t next = 0;
    for (auto _ : state) {
        const Block& block = (*blocks)[next++ % blocks->size()];
        benchmark::DoNotOptimize(estimator->getFreqFromBuffer(block.samples.data(), kBlock * 2));
        benchmark::DoNotOptimize(estimator->refinedFrequency());
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const std::filesystem::path directory = argc > 1 ? argv[1] : "build/accuracy_set";
    std::error_code error;
    if (!std::filesystem::is_directory(directory, error)) {
        std::fprintf(stderr,
                     "tuning_meter_accuracy_bench: no sound set in %s; render it with "
                     "bench/make_accuracy_set.sh\n",
                     directory.c_str());
        return 1;
    }
    const std::vector<Block> blocks = loudBlocks(directory);
    if (blocks.empty()) {
        std::fprintf(stderr, "tuning_meter_accuracy_bench: no loud blocks in %s\n",
                     directory.c_str());
        return 1;
    }
    printAccuracy(blocks);
    benchmark::RegisterBenchmark("BM_EstimateAndRefineOneBlock", BM_EstimateAndRefineOneBlock,
                                 &blocks)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
