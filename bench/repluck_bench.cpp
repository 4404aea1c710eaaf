// What the tuning meter shows while a player re-plucks a string every second or so, as they do
// while turning its peg: six plucks 1.0 to 1.5 s apart after half a second of silence, of each
// note of the four tunings at 0, +-7 and +-20 cents, as sox plucks and as sampled banjos (the
// corpus of bench/render_instrument_corpus.sh). The listener and the meter run as on the screen:
// blocks arrive every 4096 samples, the tick reads the latest ten times a second. Prints, before
// (every loud block read, no octave check) and after (octave check, the note reading of the
// blocks, as from a queue without a tap):
//   shown     how many ticks show a reading
//   max, p95  the distance in cents between the pitch shown and the note's true pitch, over the
//             ticks that show one
//   settle    from each pluck to the first tick that shows a reading from its own blocks within
//             3 cents of the truth: median, 95th percentile and worst, in seconds; "never" counts
//             the plucks where that did not happen before the next one
// Asserts nothing.
//
//   build/release/bench/repluck_bench build/instrument_corpus

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "adapters/headless/headless_log.h"
#include "base/level_meter.h"
#include "instrument_corpus.h"
#include "pitch/fake_audio_input.h"
#include "pitch/mic_listener.h"
#include "pitch/pitch_estimator.h"
#include "tuner/held_reading.h"
#include "tuner/tuner_state.h"
#include "tuner/tuner_tick.h"
#include "tuner/tuning_meter.h"
#include "tuner/tuning_table.h"

namespace {

namespace bench = strumwise::bench;
namespace tuner = strumwise::tuner;
using strumwise::platform::TuningMeterReading;

constexpr int kPlucks = 6;
constexpr double kLeadIn = 0.5;
constexpr double kTick = 0.1;

struct Recorder final : strumwise::platform::TuningMeter {
    TuningMeterReading reading;
    void show(const TuningMeterReading& shown) override { reading = shown; }
};

// The pitch a reading stands for: its note (a string's or, chromatic, its own) and offset.
double shownHertz(const TuningMeterReading& reading) {
    static const char* const kNames[] = {"C",  "C#", "D",  "D#", "E",  "F",
                                         "F#", "G",  "G#", "A",  "A#", "B"};
    const std::string& note = reading.note;
    const std::size_t split = note.find_first_of("-0123456789");
    int pitchClass = 0;
    while (note.substr(0, split) != kNames[pitchClass]) {
        ++pitchClass;
    }
    const int midi = 12 * (std::stoi(note.substr(split)) + 1) + pitchClass;
    return 440.0 * std::exp2((midi - 69) / 12.0 + reading.cents / 1200.0);
}

struct Results {
    int ticks = 0;
    int shown = 0;
    std::vector<double> errors;
    std::vector<double> settles;
    int never = 0;
};

// Runs one sequence through a listener and a meter; `after` selects the octave check and the
// steady meter.
void runSequence(const std::vector<std::int16_t>& samples, const std::vector<double>& onsets,
                 double truth, std::uint64_t tuning, bool after, Results& results) {
    strumwise::testing::FakeAudioInputQueueFactory factory;
    strumwise::platform::headless::HeadlessLog log;
    auto listener = std::make_unique<strumwise::pitch::MicListener>(factory, nullptr, log);
    listener->setOctaveCheck(after);
    // Before: every loud block's estimate refined, as the meter first read it.
    auto estimator = std::make_unique<strumwise::pitch::PitchEstimator>(bench::kRate);
    Recorder view;
    tuner::TunerState state;
    state.tuningIndex = tuning;
    tuner::TuningMeter meter(&view, state);
    tuner::HeldReading held;

    const double blockSeconds = bench::kBlock / bench::kRate;
    const std::size_t blocks = samples.size() / bench::kBlock;
    std::size_t delivered = 0;
    std::size_t stored = 0;
    std::size_t shownFrom = 0;  // one past the block the shown reading came from
    std::size_t pluck = 0;
    bool settled = false;
    for (int tick = 1;; ++tick) {
        const double now = tick * kTick;
        if (now > static_cast<double>(blocks + 1) * blockSeconds) {
            break;
        }
        while (delivered < blocks &&
               static_cast<double>(delivered + 1) * blockSeconds <= now + 1e-9) {
            ++delivered;
        }
        if (delivered == 0) {
            continue;
        }
        const std::span block(samples.data() + (delivered - 1) * bench::kBlock, bench::kBlock);
        // The capture thread stores each block once; storing it again would judge it against
        // itself.
        if (delivered != stored) {
            listener->setAudioBuffer(block.data(), bench::kBlock * 2);
            stored = delivered;
        }
        listener->frequency();
        const double power = strumwise::measureLevel(block).averagePower;
        if (!after) {
            estimator->getFreqFromBuffer(block.data(), bench::kBlock * 2);
        }
        const strumwise::pitch::NoteReading reading =
            after ? listener->noteReading()
                  : strumwise::pitch::NoteReading{strumwise::pitch::NoteReading::Verdict::Note,
                                                  estimator->refinedFrequency()};
        held.update(power, reading);
        meter.show(power, held.hertz());
        if (power > tuner::TunerTick::kMeasureAbove && reading.note()) {
            shownFrom = delivered;
        }
        while (pluck + 1 < onsets.size() && now >= onsets[pluck + 1]) {
            if (!settled) {
                ++results.never;
            }
            ++pluck;
            settled = false;
        }
        ++results.ticks;
        if (view.reading.idle) {
            continue;
        }
        ++results.shown;
        const double error = std::abs(bench::centsBetween(shownHertz(view.reading), truth));
        results.errors.push_back(error);
        const bool ownBlock = static_cast<double>(shownFrom) * blockSeconds > onsets[pluck];
        if (!settled && now >= onsets[pluck] && ownBlock && error <= 3.0) {
            results.settles.push_back(now - onsets[pluck]);
            settled = true;
        }
    }
    if (!settled) {
        ++results.never;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const auto [dir, notes] = bench::openCorpus(argc, argv, "repluck_bench");
    if (notes.empty()) {
        return 2;
    }
    std::map<std::string, std::array<Results, 2>> results;
    std::uint32_t seed = 12345;
    for (const auto& note : notes) {
        if (note.sound != "pluck" && note.sound.find("banjo") == std::string::npos) {
            continue;
        }
        const auto render = bench::readCorpusFile(dir / "clean" / note.file);
        const double truth = bench::TrueNotePitch(render, note.nominalHertz()).hertz();
        // The render from its onset; each pluck cuts the one before it short, as a re-plucked
        // string does.
        std::size_t onset = 0;
        while (onset < render.size() && std::abs(static_cast<int>(render[onset])) < 64) {
            ++onset;
        }
        std::vector<std::int16_t> samples(static_cast<std::size_t>(kLeadIn * bench::kRate), 0);
        std::vector<double> onsets;
        for (int p = 0; p < kPlucks; ++p) {
            seed = seed * 1664525u + 1013904223u;
            const double interval = 1.0 + 0.5 * (seed >> 8) / 16777216.0;
            const std::size_t length =
                p + 1 == kPlucks ? render.size() - onset
                                 : std::min(render.size() - onset,
                                            static_cast<std::size_t>(interval * bench::kRate));
            onsets.push_back(static_cast<double>(samples.size()) / bench::kRate);
            samples.insert(samples.end(), render.begin() + static_cast<long>(onset),
                           render.begin() + static_cast<long>(onset + length));
        }
        std::uint64_t tuning = 1;
        for (std::uint64_t t = 1; t <= tuner::kTuningCount; ++t) {
            for (int s = 1; s <= tuner::kStringCount; ++s) {
                if (tuner::noteOf(t, s)->name == bench::midiName(note.midi)) {
                    tuning = t;
                }
            }
        }
        for (const bool after : {false, true}) {
            runSequence(samples, onsets, truth, tuning, after, results[note.sound][after]);
        }
    }
    std::array<Results, 2> banjos;
    for (const auto& [sound, pair] : results) {
        for (std::size_t after = 0; sound != "pluck" && after < 2; ++after) {
            const Results& r = pair[after];
            Results& into = banjos[after];
            into.ticks += r.ticks;
            into.shown += r.shown;
            into.never += r.never;
            into.errors.insert(into.errors.end(), r.errors.begin(), r.errors.end());
            into.settles.insert(into.settles.end(), r.settles.begin(), r.settles.end());
        }
    }
    results["~all banjos"] = std::move(banjos);
    std::printf("%-14s | %-48s | %-48s\n", "sound",
                "before: shown  max   p95 | settle med p95 max never",
                "after: shown  max   p95 | settle med p95 max never");
    for (const auto& [sound, pair] : results) {
        std::printf("%-14s", sound.c_str());
        for (const Results& r : pair) {
            std::printf(" | %5.1f%% %6.1f %5.1f | %4.2f %4.2f %4.2f %3d",
                        100.0 * r.shown / std::max(1, r.ticks), bench::percentile(r.errors, 1.0),
                        bench::percentile(r.errors, 0.95), bench::percentile(r.settles, 0.5),
                        bench::percentile(r.settles, 0.95), bench::percentile(r.settles, 1.0),
                        r.never);
        }
        std::printf("\n");
    }
    return 0;
}
