// What a player sees through a whole pluck, from its attack through its decay into the room's
// noise: the whole headless tuner (listener, tick, meter, look) runs over each banjo and sox
// pluck of the corpus of bench/render_instrument_corpus.sh, in every room, and its screen writes
// are read back from the trace. Prints, per room, one row per sample set and one over every
// sampled banjo; asserts nothing.
//
//   build/release/bench/whole_pluck_bench build/instrument_corpus [--tuner BIN] [--room ROOM]...
//       [--worst N] [SOUND...]
//
// BIN is the strumwise executable whose headless run is measured (by default
// build/release/src/app/strumwise), so that main's build and a branch's are measured alike.
// Each file is heard after a lead-in of its own, up to 0.3 s, so that plucks begin at every
// moment of the tick's and the capture blocks' cycles; in noise the lead-in is the room's noise,
// elsewhere silence. The truth of a note is the pitch its first
// four partials agree on (TrueNotePitch), measured on the clean render; a pluck starts at the
// clean render's first sample above a fifth of its peak, and it sounds while the clean render's
// last 4096 samples before a tick are loud enough to be measured. Per sample set and room:
//   wrong     plucks on which the lamp lit green for a string that is not the note played, %
//   lit       plucks in tune (truth within 3 cents of the note) on which the lamp lit green for
//             the right string, %
//   first     the meter's first reading after the pluck: its distance from the truth in cents
//             (median, worst) and its delay after the pluck in seconds (median, p95)
//   settled   the first reading's distance in cents (median, worst) from where the note settles
//             in that room: the median of the readings shown from 0.5 s to 1.5 s after the
//             pluck. A room's echo can move the whole note's reading off the clean render's
//             truth, and this tells such an offset apart from a first reading that is early
//   wander    how far the note's own readings from 0.5 s to 1.5 s stray from that median, in cents
//             (median, worst of each pluck's farthest): a note whose partials beat, or which a
//             room's echo colours anew as it builds, keeps moving long after its first reading,
//             and a first reading no farther from the median than the later ones is as near to
//             where the note settles as the note itself comes
//   beyond    how far the first reading lies outside that wander, in cents (median, worst); 0
//             where it is no farther from the median than the farthest later reading
//   -- worst  with --worst N, the N plucks of each room whose first reading lies farthest from
//             the truth: the settled reading against the truth, how far the first reading lies
//             beyond the wander, and the first readings shown, each as its time after the pluck
//             and its cents from the truth; and every pluck that lit a wrong string, which
//             string and when
//   3c        the delay to the first reading within 3 cents of the truth (median, p95, and how
//             many plucks never had one)
//   shown     of the ticks from 0.5 s after the pluck while it sounds, how many show a reading, %
//   p95       the distance from the truth of the readings on those ticks, 95th percentile, cents
//   clash     ticks on which the screen disagrees with itself, %: the meter reads a string in its
//             in-tune zone while the lamp is not lit green for it, or a measured Hz label, written
//             on that tick, lies farther from the meter's pitch than its own rounding allows
//   false     plucks out of tune (truth 6 cents or more from the note) on which the lamp lit
//             green for the note, not drawn stale, at any moment, % (and how many plucks were
//             out of tune)
//   litpast   ticks on which the lamp is green, and not drawn stale, while the meter reads the
//             pitch outside every string's in-tune window (a sharp or flat string shown in
//             tune), %
// aubio's yin, yinfft and mcomb are read from their one estimate per 4096-sample block: wrong
// string plucks, first estimate's error and delay, blocks with an estimate and their p95 error.

#include <unistd.h>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "adapters/sound_files/wav_file.h"
#include "base/level_meter.h"
#include "instrument_corpus.h"
#include "tuner/tuner_tick.h"
#include "tuner/tuning_table.h"

namespace {

namespace bench = strumwise::bench;
namespace tuner = strumwise::tuner;

constexpr std::array<const char*, 6> kConditions = {"clean",  "white10", "white20",
                                                    "pink10", "pink20",  "reverb"};
constexpr std::array<const char*, 3> kAubioMethods = {"yin", "yinfft", "mcomb"};
constexpr double kTickSeconds = 0.1;
constexpr double kGridSeconds = 0.01;
// Each pluck is heard after a silence of its own, up to a block long, so that plucks begin at
// every moment of the tick's and the capture blocks' cycles.
constexpr double kLongestLeadIn = 0.3;
constexpr double kSustainAfter = 0.5;
constexpr double kInTuneCents = 3.0;
// A pluck this far from its note is out of tune by any tuner's window, its bin's rounding aside.
constexpr double kOutOfTuneCents = 6.0;

// What the screen showed after one tick, read from the trace.
struct TickState {
    double time = 0.0;
    std::string litNote;  // the note lit green, "" while the lamp is not green
    std::string meter;    // the tuning meter's trace value: "3 G3 -14.8", or "" when idle
    std::string label;    // the Hz label's text
    bool labelWritten = false;
    std::string look;
};

// Splits `0.600 tuningMeter value "3 G3 -14.8"` into its time, target, operation and value.
struct TraceLine {
    double time = 0.0;
    std::string_view target;
    std::string_view op;
    std::string_view value;
};

std::optional<TraceLine> parseLine(std::string_view line) {
    TraceLine parsed;
    const auto space = line.find(' ');
    if (space == std::string_view::npos) {
        return std::nullopt;
    }
    std::from_chars(line.data(), line.data() + space, parsed.time);
    line.remove_prefix(space + 1);
    const auto second = line.find(' ');
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    parsed.target = line.substr(0, second);
    line.remove_prefix(second + 1);
    const auto third = line.find(' ');
    parsed.op = line.substr(0, third);
    parsed.value = third == std::string_view::npos ? std::string_view{} : line.substr(third + 1);
    if (parsed.value.size() >= 2 && parsed.value.front() == '"') {
        parsed.value = parsed.value.substr(1, parsed.value.size() - 2);
    }
    return parsed;
}

// Runs `strumwise headless` of the build under test over `heard`, in the note's tuning, so that
// any two builds (main's and a branch's) are measured by the same bench.
std::vector<TickState> runTuner(const std::string& tuner, const std::vector<std::int16_t>& heard,
                                int tuning) {
    std::vector<TickState> ticks;
    TickState state;
    std::string note;
    const auto take = [&](std::string_view line) {
        const auto parsed = parseLine(line);
        if (!parsed) {
            return;
        }
        if (parsed->time > state.time + 1e-6) {
            ticks.push_back(state);
            state.time = parsed->time;
            state.labelWritten = false;
        }
        if (parsed->target == "noteDisplay") {
            note = parsed->value;
        } else if (parsed->target == "LEDDisplay") {
            state.litNote = parsed->value == "green64.png" ? note : "";
        } else if (parsed->target == "tuningMeter") {
            state.meter = parsed->value;
        } else if (parsed->target == "freq_label") {
            state.label = parsed->value;
            state.labelWritten = true;
        } else if (parsed->target == "screenLook") {
            state.look = parsed->value;
        }
    };
    const auto played = std::filesystem::temp_directory_path() /
                        ("whole_pluck_bench_" + std::to_string(::getpid()) + ".wav");
    {
        strumwise::platform::sound_files::WavFileWriter writer(played.string(), 14039, 1);
        if (!writer.write(heard.data(), heard.size()) || !writer.close()) {
            std::fprintf(stderr, "whole_pluck_bench: cannot write %s\n", played.c_str());
            std::exit(1);
        }
    }
    const std::string command =
        "'" + tuner + "' headless '" + played.string() + "' --tuning " + std::to_string(tuning);
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        std::perror("whole_pluck_bench");
        std::exit(1);
    }
    std::array<char, 4096> line{};
    while (std::fgets(line.data(), static_cast<int>(line.size()), pipe) != nullptr) {
        std::string_view text(line.data());
        if (!text.empty() && text.back() == '\n') {
            text.remove_suffix(1);
        }
        take(text);
    }
    const int status = pclose(pipe);
    std::filesystem::remove(played);
    if (status != 0) {
        std::fprintf(stderr, "whole_pluck_bench: %s failed\n", command.c_str());
        std::exit(1);
    }
    ticks.push_back(state);
    return ticks;
}

// The pitch a meter value stands for: its note and offset, "3 G3 -14.8" or "- C#4 +12.0".
double meterHertz(std::string_view value) {
    static const char* const kNames[] = {"C",  "C#", "D",  "D#", "E",  "F",
                                         "F#", "G",  "G#", "A",  "A#", "B"};
    const auto first = value.find(' ');
    const auto second = value.find(' ', first + 1);
    const std::string note(value.substr(first + 1, second - first - 1));
    const double cents = std::stod(std::string(value.substr(second + 1)));
    const std::size_t split = note.find_first_of("-0123456789");
    int pitchClass = 0;
    while (pitchClass < 12 && note.substr(0, split) != kNames[pitchClass]) {
        ++pitchClass;
    }
    const int midi = 12 * (std::stoi(note.substr(split)) + 1) + pitchClass;
    return 440.0 * std::exp2((midi - 69) / 12.0 + cents / 1200.0);
}

// Whether the meter reads a string inside its in-tune window, and which string's note.
std::optional<std::string> meterInZone(std::string_view value, int tuning) {
    if (value.empty() || value.front() == '-') {
        return std::nullopt;
    }
    const double hertz = meterHertz(value);
    const auto string = tuner::matchString(static_cast<std::uint64_t>(tuning), hertz);
    if (!string) {
        return std::nullopt;
    }
    return std::string(tuner::noteOf(static_cast<std::uint64_t>(tuning), *string)->name);
}

struct Tally {
    int plucks = 0;
    int wrong = 0;
    int inTune = 0;
    int lit = 0;
    std::vector<double> firstError;
    std::vector<double> firstDelay;
    std::vector<double> firstFromSettled;
    std::vector<double> wander;
    std::vector<double> beyondWander;
    std::vector<double> settleDelay;
    int neverSettled = 0;
    int sustainedTicks = 0;
    int shownTicks = 0;
    std::vector<double> errors;
    int ticks = 0;
    int clashes = 0;
    int litPast = 0;
    int outOfTune = 0;
    int falselyLit = 0;

    void merge(const Tally& other) {
        plucks += other.plucks;
        wrong += other.wrong;
        inTune += other.inTune;
        lit += other.lit;
        firstError.insert(firstError.end(), other.firstError.begin(), other.firstError.end());
        firstDelay.insert(firstDelay.end(), other.firstDelay.begin(), other.firstDelay.end());
        firstFromSettled.insert(firstFromSettled.end(), other.firstFromSettled.begin(),
                                other.firstFromSettled.end());
        wander.insert(wander.end(), other.wander.begin(), other.wander.end());
        beyondWander.insert(beyondWander.end(), other.beyondWander.begin(),
                            other.beyondWander.end());
        settleDelay.insert(settleDelay.end(), other.settleDelay.begin(), other.settleDelay.end());
        neverSettled += other.neverSettled;
        sustainedTicks += other.sustainedTicks;
        shownTicks += other.shownTicks;
        errors.insert(errors.end(), other.errors.begin(), other.errors.end());
        ticks += other.ticks;
        clashes += other.clashes;
        litPast += other.litPast;
        outOfTune += other.outOfTune;
        falselyLit += other.falselyLit;
    }
};

// One note as the clean render tells it: its truth, where it starts, while it sounds.
struct Truth {
    double hertz = 0.0;
    double firstPartial = 0.0;
    std::vector<double> partialCents;
    double onset = 0.0;               // in the render
    std::vector<bool> soundingEvery;  // index i: whether it sounds at (i + 1) x kGridSeconds
    // Whether the render sounds at `seconds` into it: loud enough over the 4096 samples before.
    bool sounds(double seconds) const {
        const auto i = static_cast<std::ptrdiff_t>(std::floor(seconds / kGridSeconds + 1e-9)) - 1;
        return i >= 0 && static_cast<std::size_t>(i) < soundingEvery.size() &&
               soundingEvery[static_cast<std::size_t>(i)];
    }
};

Truth truthOf(const std::vector<std::int16_t>& clean, const bench::CorpusNote& note) {
    Truth truth;
    const bench::TrueNotePitch pitch(clean, note.nominalHertz());
    truth.hertz = pitch.lowPartialsHertz();
    truth.firstPartial = pitch.hertz();
    truth.partialCents = pitch.partialCents();
    int peak = 1;
    for (const std::int16_t s : clean) {
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    std::size_t onset = 0;
    while (onset < clean.size() && std::abs(static_cast<int>(clean[onset])) < peak / 5) {
        ++onset;
    }
    truth.onset = static_cast<double>(onset) / bench::kRate;
    const auto steps =
        static_cast<std::size_t>(static_cast<double>(clean.size()) / bench::kRate / kGridSeconds);
    for (std::size_t k = 0; k < steps; ++k) {
        const auto end =
            static_cast<std::size_t>(static_cast<double>(k + 1) * kGridSeconds * bench::kRate);
        const std::size_t start = end >= bench::kBlock ? end - bench::kBlock : 0;
        const double power =
            strumwise::measureLevel(std::span(clean.data() + start, end - start)).averagePower;
        truth.soundingEvery.push_back(power > tuner::TunerTick::kMeasureAbove);
    }
    return truth;
}

// Whether the Hz label written on this tick contradicts the meter. A lit string's reference
// label stands for its window, which the zone test judges; a measured label shows a transform
// bin's frequency to a tenth of a hertz, half a bin (0.21 Hz) and half a tenth off the pitch at
// most, and the meter's text rounds its cents to a tenth: two cents more than that clash.
bool labelClashes(const TickState& tick, double meterPitch, int tuning) {
    if (!tick.labelWritten || tick.label.empty()) {
        return false;
    }
    for (int string = 1; string <= tuner::kStringCount; ++string) {
        const auto& note = *tuner::noteOf(static_cast<std::uint64_t>(tuning), string);
        if (tick.litNote == note.name && tick.label == note.referenceLabel) {
            return false;
        }
    }
    const double labelHertz = std::stod(tick.label);
    const double allowed =
        bench::centsBetween(meterPitch + 0.5 * bench::kRate / 32768.0 + 0.05, meterPitch) + 2.1;
    return std::abs(bench::centsBetween(labelHertz, meterPitch)) > allowed;
}

// The span after a pluck whose readings tell where the note settles in a room.
constexpr double kSettledFrom = 0.5;
constexpr double kSettledTo = 1.5;
// How many of a pluck's first readings a worst case lists.
constexpr std::size_t kListedReadings = 6;

// One pluck's first readings, for the list of the worst.
struct PluckStory {
    std::string file;
    double firstError = 0.0;
    double settledError = NAN;                        // the settled reading against the truth
    double beyond = NAN;                              // the first reading beyond the wander
    std::vector<std::pair<double, double>> readings;  // seconds after the pluck, cents off
    std::string wrongNote;  // the first string lit green that is not the note, if any
    double wrongAfter = 0.0;
};

// What the tuner hears for `seconds` before a file: the room as it sounds before the string is
// plucked. In a noisy room that is the room's noise, taken from the end of the file (where the
// note has died away) as the file less its clean render, so that the pluck does not arrive
// together with the noise out of digital silence, which no microphone hears; an echoing room
// and a quiet one are silent before the pluck.
std::vector<std::int16_t> roomBefore(const std::vector<std::int16_t>& heard,
                                     const std::filesystem::path& clean, bool noise,
                                     double seconds) {
    const auto count = static_cast<std::size_t>(seconds * bench::kRate);
    std::vector<std::int16_t> room(count, 0);
    if (!noise) {
        return room;
    }
    const auto note = bench::readCorpusFile(clean);
    const std::size_t length = std::min(heard.size(), note.size());
    const std::size_t from = length - std::min(length, count);
    for (std::size_t i = from; i < length; ++i) {
        room[i - from] = static_cast<std::int16_t>(std::clamp(heard[i] - note[i], -32768, 32767));
    }
    return room;
}

// `leadIn`: how long the run heard the room before the render.
PluckStory countTuner(const std::vector<TickState>& ticks, const Truth& truth, double leadIn,
                      const std::string& name, int tuning, Tally& tally) {
    const double onset = truth.onset + leadIn;
    ++tally.plucks;
    bool wrong = false;
    bool first = true;
    bool settled = false;
    double firstPitch = 0.0;
    std::vector<double> settledPitches;
    PluckStory story;
    for (const TickState& tick : ticks) {
        if (tick.time < 0.05) {
            continue;
        }
        if (!tick.litNote.empty() && tick.litNote != name) {
            if (!wrong) {
                story.wrongNote = tick.litNote;
                story.wrongAfter = tick.time - onset;
            }
            wrong = true;
        }
        const bool shown = !tick.meter.empty();
        const double pitch = shown ? meterHertz(tick.meter) : 0.0;
        const double error = shown ? std::abs(bench::centsBetween(pitch, truth.hertz)) : 0.0;
        if (tick.time >= onset) {
            if (shown && first) {
                first = false;
                firstPitch = pitch;
                story.firstError = error;
                tally.firstError.push_back(error);
                tally.firstDelay.push_back(tick.time - onset);
            }
            if (shown && story.readings.size() < kListedReadings) {
                story.readings.emplace_back(tick.time - onset,
                                            bench::centsBetween(pitch, truth.hertz));
            }
            if (shown && tick.time >= onset + kSettledFrom && tick.time <= onset + kSettledTo) {
                settledPitches.push_back(pitch);
            }
            if (shown && !settled && error <= 3.0) {
                settled = true;
                tally.settleDelay.push_back(tick.time - onset);
            }
        }
        if (truth.sounds(tick.time - leadIn) && tick.time >= onset + kSustainAfter) {
            ++tally.sustainedTicks;
            if (shown) {
                ++tally.shownTicks;
                tally.errors.push_back(error);
            }
        }
        if (shown) {
            ++tally.ticks;
            const auto zone = meterInZone(tick.meter, tuning);
            if ((zone && tick.litNote != *zone) || labelClashes(tick, pitch, tuning)) {
                ++tally.clashes;
            }
            if (!zone && tick.meter.front() != '-' && !tick.litNote.empty() &&
                tick.look != "stale") {
                ++tally.litPast;
            }
        }
    }
    if (!settled) {
        ++tally.neverSettled;
    }
    if (!settledPitches.empty()) {
        const double settledPitch = bench::percentile(settledPitches, 0.5);
        story.settledError = bench::centsBetween(settledPitch, truth.hertz);
        double wander = 0.0;
        for (const double pitch : settledPitches) {
            wander = std::max(wander, std::abs(bench::centsBetween(pitch, settledPitch)));
        }
        tally.wander.push_back(wander);
        if (firstPitch > 0.0) {
            const double fromSettled = std::abs(bench::centsBetween(firstPitch, settledPitch));
            tally.firstFromSettled.push_back(fromSettled);
            story.beyond = std::max(0.0, fromSettled - wander);
            tally.beyondWander.push_back(story.beyond);
        }
    }
    tally.wrong += wrong ? 1 : 0;
    return story;
}

struct AubioTally {
    int plucks = 0;
    int wrong = 0;
    std::vector<double> firstError;
    std::vector<double> firstDelay;
    int sustainedBlocks = 0;
    int shownBlocks = 0;
    std::vector<double> errors;

    void merge(const AubioTally& other) {
        plucks += other.plucks;
        wrong += other.wrong;
        firstError.insert(firstError.end(), other.firstError.begin(), other.firstError.end());
        firstDelay.insert(firstDelay.end(), other.firstDelay.begin(), other.firstDelay.end());
        sustainedBlocks += other.sustainedBlocks;
        shownBlocks += other.shownBlocks;
        errors.insert(errors.end(), other.errors.begin(), other.errors.end());
    }
};

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

// aubio's estimate of block i stands for the tick when that block has arrived.
void countAubio(const std::vector<double>& estimates, const Truth& truth, const std::string& name,
                int tuning, AubioTally& tally) {
    ++tally.plucks;
    bool wrong = false;
    bool first = true;
    for (std::size_t i = 0; i < estimates.size(); ++i) {
        const double arrived = static_cast<double>((i + 1) * bench::kBlock) / bench::kRate;
        const double hertz = estimates[i];
        if (const auto string = tuner::matchString(static_cast<std::uint64_t>(tuning), hertz);
            string && tuner::noteOf(static_cast<std::uint64_t>(tuning), *string)->name != name) {
            wrong = true;
        }
        const bool shown = hertz > 0.0;
        const double error = shown ? std::abs(bench::centsBetween(hertz, truth.hertz)) : 0.0;
        if (shown && first && arrived >= truth.onset) {
            first = false;
            tally.firstError.push_back(error);
            tally.firstDelay.push_back(arrived - truth.onset);
        }
        if (truth.sounds(arrived) && arrived >= truth.onset + kSustainAfter) {
            ++tally.sustainedBlocks;
            if (shown) {
                ++tally.shownBlocks;
                tally.errors.push_back(error);
            }
        }
    }
    tally.wrong += wrong ? 1 : 0;
}

int tuningWith(const std::string& note) {
    for (std::uint64_t tuning = 1; tuning <= tuner::kTuningCount; ++tuning) {
        for (int string = 1; string <= tuner::kStringCount; ++string) {
            if (tuner::noteOf(tuning, string)->name == note) {
                return static_cast<int>(tuning);
            }
        }
    }
    return 1;
}

double percent(int part, int whole) {
    return whole > 0 ? 100.0 * part / whole : NAN;
}

void printTuner(const std::string& sound, const Tally& t) {
    std::printf(
        "%-16s %4d | %5.1f | %5.1f (%3d) | %5.1f %6.1f  %4.2f %4.2f | %5.1f %5.1f | %5.1f %5.1f | "
        "%5.1f %5.1f | %4.2f %4.2f %3d | %5.1f | %6.1f | %5.2f | %5.2f | %5.1f (%3d)\n",
        sound.c_str(), t.plucks, percent(t.wrong, t.plucks), percent(t.lit, t.inTune), t.inTune,
        bench::percentile(t.firstError, 0.5), bench::percentile(t.firstError, 1.0),
        bench::percentile(t.firstDelay, 0.5), bench::percentile(t.firstDelay, 0.95),
        bench::percentile(t.firstFromSettled, 0.5), bench::percentile(t.firstFromSettled, 1.0),
        bench::percentile(t.wander, 0.5), bench::percentile(t.wander, 1.0),
        bench::percentile(t.beyondWander, 0.5), bench::percentile(t.beyondWander, 1.0),
        bench::percentile(t.settleDelay, 0.5), bench::percentile(t.settleDelay, 0.95),
        t.neverSettled, percent(t.shownTicks, t.sustainedTicks), bench::percentile(t.errors, 0.95),
        percent(t.clashes, t.ticks), percent(t.litPast, t.ticks),
        percent(t.falselyLit, t.outOfTune), t.outOfTune);
}

void printAubio(const std::string& sound, const std::array<AubioTally, 3>& methods) {
    std::printf("%-16s", sound.c_str());
    for (const AubioTally& t : methods) {
        std::printf(" | %5.1f %6.1f %7.1f %4.2f %5.1f %7.1f", percent(t.wrong, t.plucks),
                    bench::percentile(t.firstError, 0.5), bench::percentile(t.firstError, 1.0),
                    bench::percentile(t.firstDelay, 0.5), percent(t.shownBlocks, t.sustainedBlocks),
                    bench::percentile(t.errors, 0.95));
    }
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    const auto [dir, notes] = bench::openCorpus(argc, argv, "whole_pluck_bench");
    if (notes.empty()) {
        return 2;
    }
    std::string tunerPath = "build/release/src/app/strumwise";
    std::vector<std::string> only;
    std::vector<std::string> rooms;
    std::size_t worst = 0;
    for (int i = 2; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--tuner" && i + 1 < argc) {
            tunerPath = argv[++i];
        } else if (std::string_view(argv[i]) == "--worst" && i + 1 < argc) {
            worst = static_cast<std::size_t>(std::stoul(argv[++i]));
        } else if (std::string_view(argv[i]) == "--room" && i + 1 < argc) {
            rooms.emplace_back(argv[++i]);
        } else {
            only.emplace_back(argv[i]);
        }
    }
    const auto wanted = [&](const bench::CorpusNote& note) {
        if (!only.empty()) {
            return std::find(only.begin(), only.end(), note.sound) != only.end();
        }
        return note.sound == "pluck" || note.sound.find("banjo") != std::string::npos;
    };

    std::map<std::string, Truth> truths;
    std::map<std::string, std::vector<double>> firstVsLow;
    for (const auto& note : notes) {
        if (!wanted(note)) {
            continue;
        }
        const auto clean = bench::readCorpusFile(dir / "clean" / note.file);
        truths[note.file] = truthOf(clean, note);
        const Truth& truth = truths[note.file];
        firstVsLow[note.sound].push_back(bench::centsBetween(truth.hertz, truth.firstPartial));
    }
    std::printf("== the truth: the low partials' pitch against the first partial's, cents ==\n");
    for (const auto& [sound, cents] : firstVsLow) {
        std::vector<double> magnitudes;
        for (const double c : cents) {
            magnitudes.push_back(std::abs(c));
        }
        std::printf("%-16s median %5.1f  p95 %5.1f  max %5.1f\n", sound.c_str(),
                    bench::percentile(magnitudes, 0.5), bench::percentile(magnitudes, 0.95),
                    bench::percentile(magnitudes, 1.0));
    }
    for (const auto& note : notes) {
        const auto found = truths.find(note.file);
        if (found == truths.end() || note.cents != 0) {
            continue;
        }
        const Truth& truth = found->second;
        if (std::abs(bench::centsBetween(truth.hertz, truth.firstPartial)) > 5.0) {
            std::printf("  %-24s first partial %+6.1f, low partials %+6.1f; partials 1..4 at",
                        note.file.c_str(),
                        bench::centsBetween(truth.firstPartial, note.nominalHertz()),
                        bench::centsBetween(truth.hertz, note.nominalHertz()));
            for (const double c : truth.partialCents) {
                std::printf(" %+5.1f", c);
            }
            std::printf(" cents from m x the first\n");
        }
    }

    for (const char* condition : kConditions) {
        if (!rooms.empty() && std::find(rooms.begin(), rooms.end(), condition) == rooms.end()) {
            continue;
        }
        std::map<std::string, Tally> tuner;
        std::map<std::string, std::array<AubioTally, 3>> aubio;
        std::vector<PluckStory> stories;
        for (const auto& note : notes) {
            const auto found = truths.find(note.file);
            if (found == truths.end()) {
                continue;
            }
            const Truth& truth = found->second;
            const auto path = dir / condition / note.file;
            if (!std::filesystem::exists(path)) {
                continue;
            }
            const std::string name = bench::midiName(note.midi);
            const int tuning = tuningWith(name);
            Tally& tally = tuner[note.sound];
            // A lead-in of its own for each file, the same for every build and room.
            std::uint32_t hash = 2166136261u;
            for (const char c : note.file) {
                hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
            }
            const double leadIn = kLongestLeadIn * (hash % 1000) / 1000.0;
            const bool noise = std::string_view(condition).starts_with("white") ||
                               std::string_view(condition).starts_with("pink");
            const auto samples = bench::readCorpusFile(path);
            auto heard = roomBefore(samples, dir / "clean" / note.file, noise, leadIn);
            heard.insert(heard.end(), samples.begin(), samples.end());
            const auto ticks = runTuner(tunerPath, heard, tuning);
            const double nominal = 440.0 * std::exp2((note.midi - 69) / 12.0);
            const double offNote = std::abs(bench::centsBetween(truth.hertz, nominal));
            if (offNote <= kInTuneCents) {
                ++tally.inTune;
                const bool litRight = std::any_of(ticks.begin(), ticks.end(),
                                                  [&](const auto& t) { return t.litNote == name; });
                tally.lit += litRight ? 1 : 0;
            } else if (offNote >= kOutOfTuneCents) {
                ++tally.outOfTune;
                const bool litRight = std::any_of(ticks.begin(), ticks.end(), [&](const auto& t) {
                    return t.litNote == name && t.look != "stale";
                });
                tally.falselyLit += litRight ? 1 : 0;
            }
            stories.push_back(countTuner(ticks, truth, leadIn, name, tuning, tally));
            stories.back().file = note.file;
            for (std::size_t m = 0; m < kAubioMethods.size(); ++m) {
                const auto estimates = readAubio(std::filesystem::path(path).replace_extension(
                    std::string(".") + kAubioMethods[m] + ".txt"));
                if (!estimates.empty()) {
                    countAubio(estimates, truth, name, tuning, aubio[note.sound][m]);
                }
            }
        }
        Tally banjos;
        std::array<AubioTally, 3> aubioBanjos;
        for (const auto& [sound, t] : tuner) {
            if (sound.find("banjo") != std::string::npos) {
                banjos.merge(t);
                for (std::size_t m = 0; m < kAubioMethods.size(); ++m) {
                    aubioBanjos[m].merge(aubio[sound][m]);
                }
            }
        }
        std::printf("\n== %s: the tuner ==\n", condition);
        std::printf(
            "%-16s %4s | %5s | %11s | %-25s | %-11s | %-11s | %-11s | %-16s | %5s | %6s | %5s | "
            "%7s | %s\n",
            "sound", "n", "wrong", "lit (of)", "first: err med max, s med p95", "settled med max",
            "wander m max", "beyond m max", "3c: s med p95 no", "shown", "p95", "clash", "litpast",
            "false (of)");
        for (const auto& [sound, t] : tuner) {
            printTuner(sound, t);
        }
        printTuner("~all banjos", banjos);
        std::sort(stories.begin(), stories.end(),
                  [](const auto& a, const auto& b) { return a.firstError > b.firstError; });
        for (std::size_t i = 0; i < std::min(worst, stories.size()); ++i) {
            const PluckStory& story = stories[i];
            std::printf("-- worst %-24s first %5.1f settled %+5.1f beyond %4.1f:",
                        story.file.c_str(), story.firstError, story.settledError, story.beyond);
            for (const auto& [seconds, cents] : story.readings) {
                std::printf(" %4.2f s %+5.1f", seconds, cents);
            }
            std::printf("\n");
        }
        for (const PluckStory& story : stories) {
            if (worst > 0 && !story.wrongNote.empty()) {
                std::printf("-- wrong %-24s lit %s %+5.2f s after the pluck\n", story.file.c_str(),
                            story.wrongNote.c_str(), story.wrongAfter);
            }
        }
        std::printf("-- %s: aubio (wrong %%, first error med max, first s med, shown %%, p95) --\n",
                    condition);
        std::printf("%-16s | %-40s | %-40s | %-40s\n", "sound", "yin", "yinfft", "mcomb");
        for (const auto& [sound, methods] : aubio) {
            printAubio(sound, methods);
        }
        printAubio("~all banjos", aubioBanjos);
        std::fflush(stdout);
    }
    return 0;
}
