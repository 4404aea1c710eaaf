// How often the tuner names the right note, on recorded instruments in four rooms, before and
// after its octave check and steady meter, beside aubio's yin, yinfft and mcomb on the same
// blocks. Reads the corpus of bench/render_instrument_corpus.sh; prints tables and asserts
// nothing.
//
//   nice bench/render_instrument_corpus.sh build/instrument_corpus
//   build/release/bench/instrument_accuracy_bench build/instrument_corpus
//
// Every file is cut into capture blocks as the microphone delivers them. A block counts when the
// clean render's block is loud enough to be measured, so that every condition and every method
// is judged on the same blocks, against the clean note's true pitch (see TrueNotePitch).
//   right     the estimate within 50 cents of the truth
//   harmonic  the estimate within 50 cents of 2, 3, 4, 5 or 6 times the truth, or a half or a
//             third of it: an octave, twelfth or other harmonic error
//   lamp      the estimate lights a string of the note's tuning that is not the note played
//   meter     the distance in cents between the pitch the meter shows and the truth, median and
//             95th percentile, over the blocks where it shows one; shown: how many blocks that is
// "before" is the harmonic sum alone with the meter reading every loud block; "after" the
// estimate with its octave checked and the meter showing the note reading of each block (a
// queue without a tap), kept while the reading is unsure.

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "base/level_meter.h"
#include "instrument_corpus.h"
#include "pitch/note_reader.h"
#include "pitch/pitch_estimator.h"
#include "tuner/tuner_tick.h"
#include "tuner/tuning_table.h"

namespace {

namespace bench = strumwise::bench;
namespace tuner = strumwise::tuner;
using strumwise::pitch::NoteReader;
using strumwise::pitch::PitchEstimator;

constexpr std::array<const char*, 4> kConditions = {"clean", "white10", "pink10", "reverb"};
constexpr std::array<const char*, 3> kAubioMethods = {"yin", "yinfft", "mcomb"};

// What one method made of the counted blocks of a group of files.
struct Tally {
    int blocks = 0;
    int right = 0;
    int harmonic = 0;
    int wrongLamp = 0;
    std::vector<double> meterErrors;

    void count(double hertz, double truth, std::uint64_t tuning, const std::string& note) {
        ++blocks;
        if (!(hertz > 0.0)) {
            return;
        }
        const double cents = bench::centsBetween(hertz, truth);
        if (std::abs(cents) < 50.0) {
            ++right;
        }
        for (const double ratio : {2.0, 3.0, 4.0, 5.0, 6.0, 0.5, 1.0 / 3.0}) {
            if (std::abs(cents - 1200.0 * std::log2(ratio)) < 50.0) {
                ++harmonic;
                break;
            }
        }
        if (const auto string = tuner::matchString(tuning, hertz);
            string && tuner::noteOf(tuning, *string)->name != note) {
            ++wrongLamp;
        }
    }
    void meter(double shownHertz, double truth) {
        if (shownHertz > 0.0) {
            meterErrors.push_back(std::abs(bench::centsBetween(shownHertz, truth)));
        }
    }
};

struct Group {
    Tally before;
    Tally after;
    std::array<Tally, kAubioMethods.size()> aubio;
};

std::uint64_t tuningWith(const std::string& note) {
    for (std::uint64_t tuning = 1; tuning <= tuner::kTuningCount; ++tuning) {
        for (int string = 1; string <= tuner::kStringCount; ++string) {
            if (tuner::noteOf(tuning, string)->name == note) {
                return tuning;
            }
        }
    }
    return 1;
}

// aubio's estimate for each block, in order: "time hertz" lines, one per 4096 samples.
std::vector<double> readAubio(const std::filesystem::path& path) {
    std::vector<double> hertz;
    std::ifstream in(path);
    double time = 0.0;
    double value = 0.0;
    while (in >> time >> value) {
        hertz.push_back(value);
    }
    return hertz;
}

double percent(int part, int whole) {
    return whole > 0 ? 100.0 * part / whole : 0.0;
}

std::string meterText(const Tally& tally) {
    char text[64];
    std::snprintf(text, sizeof text, "%6.1f %7.1f %5.0f%%",
                  bench::percentile(tally.meterErrors, 0.5),
                  bench::percentile(tally.meterErrors, 0.95),
                  percent(static_cast<int>(tally.meterErrors.size()), tally.blocks));
    return text;
}

void printTables(const std::string& condition, const std::map<std::string, Group>& groups) {
    std::printf("\n== %s: the tuner, before -> after ==\n", condition.c_str());
    std::printf("%-14s %6s | %13s | %13s | %13s | %-21s | %-21s\n", "sound", "blocks", "right %",
                "harmonic %", "wrong lamp %", "meter before med p95 shown",
                "meter after med p95 shown");
    for (const auto& [sound, g] : groups) {
        const auto& b = g.before;
        const auto& a = g.after;
        std::printf("%-14s %6d | %5.1f -> %5.1f | %5.1f -> %5.1f | %5.1f -> %5.1f | %s | %s\n",
                    sound.c_str(), b.blocks, percent(b.right, b.blocks), percent(a.right, a.blocks),
                    percent(b.harmonic, b.blocks), percent(a.harmonic, a.blocks),
                    percent(b.wrongLamp, b.blocks), percent(a.wrongLamp, a.blocks),
                    meterText(b).c_str(), meterText(a).c_str());
    }
    std::printf(
        "\n-- %s: aubio on the same blocks (right %% / harmonic %% / wrong lamp %% / "
        "error med p95) --\n",
        condition.c_str());
    std::printf("%-14s", "sound");
    for (const char* method : kAubioMethods) {
        std::printf(" | %-39s", method);
    }
    std::printf("\n");
    for (const auto& [sound, g] : groups) {
        std::printf("%-14s", sound.c_str());
        for (const Tally& t : g.aubio) {
            std::printf(" | %5d %5.1f %5.1f %5.1f %6.1f %7.1f", t.blocks,
                        percent(t.right, t.blocks), percent(t.harmonic, t.blocks),
                        percent(t.wrongLamp, t.blocks), bench::percentile(t.meterErrors, 0.5),
                        bench::percentile(t.meterErrors, 0.95));
        }
        std::printf("\n");
    }
}

void merge(Tally& into, const Tally& from) {
    into.blocks += from.blocks;
    into.right += from.right;
    into.harmonic += from.harmonic;
    into.wrongLamp += from.wrongLamp;
    into.meterErrors.insert(into.meterErrors.end(), from.meterErrors.begin(),
                            from.meterErrors.end());
}

}  // namespace

int main(int argc, char** argv) {
    const auto [dir, notes] = bench::openCorpus(argc, argv, "instrument_accuracy_bench");
    if (notes.empty()) {
        return 2;
    }

    // The truth and the counted blocks come from the clean renders.
    struct Truth {
        double hertz = 0.0;
        std::vector<bool> counted;
    };
    std::map<std::string, Truth> truths;
    for (const auto& note : notes) {
        const auto samples = bench::readCorpusFile(dir / "clean" / note.file);
        Truth truth;
        truth.hertz = bench::TrueNotePitch(samples, note.nominalHertz()).hertz();
        for (std::size_t at = 0; at + bench::kBlock <= samples.size(); at += bench::kBlock) {
            const std::span block(samples.data() + at, bench::kBlock);
            truth.counted.push_back(strumwise::measureLevel(block).averagePower >
                                    tuner::TunerTick::kMeasureAbove);
        }
        truths[note.file] = std::move(truth);
    }

    auto estimator = std::make_unique<PitchEstimator>(bench::kRate);
    for (const char* condition : kConditions) {
        std::map<std::string, Group> groups;
        for (const auto& note : notes) {
            const Truth& truth = truths[note.file];
            const auto path = dir / condition / note.file;
            const auto samples = bench::readCorpusFile(path);
            std::array<std::vector<double>, kAubioMethods.size()> aubio;
            for (std::size_t m = 0; m < kAubioMethods.size(); ++m) {
                aubio[m] = readAubio(std::filesystem::path(path).replace_extension(
                    std::string(".") + kAubioMethods[m] + ".txt"));
            }
            const std::string name = bench::midiName(note.midi);
            const std::uint64_t tuning = tuningWith(name);
            Group& group = groups[note.sound];
            auto reader = std::make_unique<NoteReader>(bench::kRate);
            double shownAfter = 0.0;
            for (std::size_t i = 0; i < truth.counted.size(); ++i) {
                const std::int16_t* block = samples.data() + i * bench::kBlock;
                if ((i + 1) * bench::kBlock > samples.size()) {
                    break;
                }
                const double power =
                    strumwise::measureLevel(std::span(block, bench::kBlock)).averagePower;
                const double specified = estimator->getFreqFromBuffer(block, bench::kBlock * 2);
                const double refinedSpecified = estimator->refinedFrequency();
                const double checked = estimator->checkOctave();
                const double refinedChecked = estimator->refinedFrequency();
                (void)refinedChecked;
                const std::size_t end = (i + 1) * bench::kBlock;
                const std::size_t held = std::min(end, NoteReader::kHistorySamples);
                const auto reading = reader->read(std::span(samples.data() + end - held, held),
                                                  static_cast<std::uint64_t>(end));
                if (power < tuner::TunerTick::kSilenceBelow) {
                    shownAfter = 0.0;
                } else if (power > tuner::TunerTick::kMeasureAbove && reading.note()) {
                    shownAfter = reading.hertz;
                } else if (reading.noNote()) {
                    shownAfter = 0.0;
                }
                if (!truth.counted[i]) {
                    continue;
                }
                group.before.count(specified, truth.hertz, tuning, name);
                group.after.count(checked, truth.hertz, tuning, name);
                if (power > tuner::TunerTick::kMeasureAbove) {
                    group.before.meter(refinedSpecified, truth.hertz);
                }
                group.after.meter(shownAfter, truth.hertz);
                for (std::size_t m = 0; m < kAubioMethods.size(); ++m) {
                    if (aubio[m].empty()) {
                        continue;  // not run on this file (see AUBIO_ON)
                    }
                    const double hertz = i < aubio[m].size() ? aubio[m][i] : 0.0;
                    group.aubio[m].count(hertz, truth.hertz, tuning, name);
                    group.aubio[m].meter(hertz, truth.hertz);
                }
            }
        }
        // Summary rows over every sampled banjo and over everything.
        Group banjo;
        Group all;
        for (const auto& [sound, g] : groups) {
            for (Group* into :
                 {&all, sound.find("banjo") != std::string::npos ? &banjo : nullptr}) {
                if (into == nullptr) {
                    continue;
                }
                merge(into->before, g.before);
                merge(into->after, g.after);
                for (std::size_t m = 0; m < kAubioMethods.size(); ++m) {
                    merge(into->aubio[m], g.aubio[m]);
                }
            }
        }
        groups["~all banjos"] = std::move(banjo);
        groups["~everything"] = std::move(all);
        printTables(condition, groups);
    }
    return 0;
}
