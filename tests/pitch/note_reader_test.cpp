#include "pitch/note_reader.h"

#include "pitch/onset_pitch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <random>
#include <span>
#include <vector>

namespace strumwise::pitch {
namespace {

constexpr double kRate = 14039.0;

double cents(double hertz, double reference) {
    return 1200.0 * std::log2(hertz / reference);
}

// A sound of partials, each a frequency and an amplitude, from sample `from` of `count` on;
// silence before. A glide moves every partial by `glideCentsPerSecond`.
struct Partial {
    double hertz;
    double amplitude;
};
std::vector<std::int16_t> sound(const std::vector<Partial>& partials, std::size_t count,
                                std::size_t from = 0, double glideCentsPerSecond = 0.0) {
    std::vector<std::int16_t> out(count, 0);
    std::vector<double> phases(partials.size(), 0.0);
    for (std::size_t n = from; n < count; ++n) {
        const double t = static_cast<double>(n - from) / kRate;
        const double bend = std::exp2(glideCentsPerSecond * t / 1200.0);
        double value = 0.0;
        for (std::size_t p = 0; p < partials.size(); ++p) {
            phases[p] += 2.0 * std::numbers::pi * partials[p].hertz * bend / kRate;
            value += partials[p].amplitude * std::sin(phases[p]);
        }
        out[n] = static_cast<std::int16_t>(std::lround(value));
    }
    return out;
}

// A string's partials: the m-th at m times `hertz`, its amplitude falling as 1/m, the third
// and fourth `stretchCents` above their place.
std::vector<Partial> string(double hertz, double amplitude, double stretchCents = 0.0) {
    std::vector<Partial> partials;
    for (int m = 1; m <= 6; ++m) {
        const double stretch = m >= 3 ? std::exp2(stretchCents / 1200.0) : 1.0;
        partials.push_back({m * hertz * stretch, amplitude / m});
    }
    return partials;
}

void addNoise(std::vector<std::int16_t>& samples, double rms, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, rms);
    for (auto& s : samples) {
        s = static_cast<std::int16_t>(std::clamp(s + noise(random), -32768.0, 32767.0));
    }
}

// Reads `samples` as the tuner does, with a reader of their own (on the heap, like the
// listener's), ten times a second, each time the latest kHistorySamples.
std::vector<NoteReading> readEveryTick(const std::vector<std::int16_t>& samples) {
    const auto reader = std::make_unique<NoteReader>(kRate);
    std::vector<NoteReading> readings;
    const auto tick = static_cast<std::size_t>(0.1 * kRate);
    for (std::size_t end = tick; end <= samples.size(); end += tick) {
        const std::size_t held = std::min(end, NoteReader::kHistorySamples);
        readings.push_back(reader->read(std::span(samples.data() + end - held, held),
                                        static_cast<std::uint64_t>(end)));
    }
    return readings;
}

TEST(NoteReaderTest, ReadsAPluckFromItsOwnSamplesOnceTwoReadingsAgree) {
    // A D4 plucked 0.2 s into silence: too young to read at the first tick after it, then
    // once a window of its own has agreed with the one before, a note to a tenth of a cent.
    const auto samples = sound(string(293.66, 6000.0), static_cast<std::size_t>(1.2 * kRate),
                               static_cast<std::size_t>(0.2 * kRate));
    const auto readings = readEveryTick(samples);
    std::size_t firstNote = readings.size();
    for (std::size_t i = 0; i < readings.size(); ++i) {
        if (readings[i].note()) {
            firstNote = std::min(firstNote, i);
            EXPECT_NEAR(cents(readings[i].hertz, 293.66), 0.0, 0.1) << i;
        }
    }
    // Silence is too quiet to judge; 0.1 s of the note at the third tick (0.3 s) is a pluck
    // too young to read; 0.2 s at the fourth, a first candidate; shown at the fifth.
    EXPECT_EQ(readings[1].verdict, NoteReading::Verdict::Unsure);
    EXPECT_TRUE(readings[2].starting());
    EXPECT_EQ(readings[3].verdict, NoteReading::Verdict::Unsure);
    EXPECT_EQ(firstNote, 4u);
    for (std::size_t i = firstNote; i < readings.size(); ++i) {
        EXPECT_TRUE(readings[i].note()) << i;
    }
}

TEST(NoteReaderTest, ReadsThePitchTheLowPartialsAgreeOn) {
    // A G3 whose third and fourth partials sit 17 cents above their place, as in a sampled
    // banjo: the reading is the fit of a harmonic series to the first four partials, weighted by
    // their power, not the first partial alone.
    const std::vector<Partial> partials = string(196.0, 6000.0, 17.0);
    double weighted = 0.0;
    double weights = 0.0;
    for (int m = 1; m <= 4; ++m) {
        const double power = partials[m - 1].amplitude * partials[m - 1].amplitude;
        weighted += power * m * partials[m - 1].hertz;
        weights += power * m * m;
    }
    const double fit = weighted / weights;
    ASSERT_GT(cents(fit, 196.0), 5.0);
    const auto readings = readEveryTick(sound(partials, 14039));
    ASSERT_TRUE(readings.back().note());
    EXPECT_NEAR(cents(readings.back().hertz, fit), 0.0, 0.2);

    // A weak fundamental beside a strong octave, as a banjo's low strings have: read at the
    // fundamental, between bins, to a fifth of a cent, on pitches spread across a bin.
    for (const double hertz : {146.83, 147.05, 147.3}) {
        const auto weak = sound(
            {{hertz, 600.0}, {2 * hertz, 8000.0}, {3 * hertz, 3000.0}, {4 * hertz, 2000.0}}, 14039);
        const auto last = readEveryTick(weak).back();
        ASSERT_TRUE(last.note()) << hertz;
        EXPECT_NEAR(cents(last.hertz, hertz), 0.0, 0.2) << hertz;
    }
}

TEST(NoteReaderTest, HearsNoNoteInNoiseAndANoteTenDecibelsAboveIt) {
    std::vector<std::int16_t> noise(14039, 0);
    addNoise(noise, 2000.0, 1);
    const auto heard = readEveryTick(noise);
    for (std::size_t i = 1; i < heard.size(); ++i) {  // the first tick is too short to judge
        EXPECT_TRUE(heard[i].noNote()) << i;
    }
    // A B3 whose level is ten times the noise's power (10 dB) is a note, read to a cent.
    auto note = sound(string(246.94, 3000.0), 14039);
    addNoise(note, 3000.0 * std::sqrt(0.5 * 1.49) / std::sqrt(10.0), 2);
    const auto readings = readEveryTick(note);
    int notes = 0;
    for (std::size_t i = 3; i < readings.size(); ++i) {
        if (readings[i].note()) {
            ++notes;
            EXPECT_NEAR(cents(readings[i].hertz, 246.94), 0.0, 1.0) << i;
        }
    }
    EXPECT_GE(notes, static_cast<int>(readings.size()) - 5);
    // At a tenth of the noise's power, the B3 may still be read, but never as another pitch;
    // at a hundredth it is no note that could name a string.
    for (const double below : {10.0, 100.0}) {
        auto buried = sound(string(246.94, 3000.0), 14039);
        addNoise(buried, 3000.0 * std::sqrt(0.5 * 1.49) * std::sqrt(below), 3);
        for (const NoteReading& reading : readEveryTick(buried)) {
            if (reading.note()) {
                EXPECT_EQ(below, 10.0);
                EXPECT_NEAR(cents(reading.hertz, 246.94), 0.0, 2.0);
            }
        }
    }
}

TEST(NoteReaderTest, ShowsNothingWhileThePitchGlides) {
    // An attack whose pitch falls 100 cents a second (10 cents a tick) is never a note; once
    // it stops, it is.
    const auto gliding = sound(string(392.0, 6000.0), 14039, 0, -100.0);
    for (const NoteReading& reading : readEveryTick(gliding)) {
        EXPECT_FALSE(reading.note());
    }
    const auto steady = sound(string(392.0, 6000.0), 14039, 0, -2.0);
    EXPECT_TRUE(readEveryTick(steady).back().note());
}

TEST(NoteReaderTest, ANewPluckIsReadApartFromTheNoteBeforeIt) {
    // An A3 rings, and a D4 is plucked over it 0.6 s in: the ticks after the pluck never show a
    // pitch between the two, and the D4 is read from its own samples.
    auto samples = sound(string(220.0, 3000.0), static_cast<std::size_t>(1.4 * kRate));
    const auto d4 =
        sound(string(293.66, 9000.0), samples.size(), static_cast<std::size_t>(0.6 * kRate));
    for (std::size_t n = 0; n < samples.size(); ++n) {
        samples[n] = static_cast<std::int16_t>(
            (n >= static_cast<std::size_t>(0.6 * kRate) ? samples[n] / 4 : samples[n]) + d4[n]);
    }
    const auto readings = readEveryTick(samples);
    for (std::size_t i = 0; i < readings.size(); ++i) {
        if (!readings[i].note()) {
            continue;
        }
        const double offA3 = std::abs(cents(readings[i].hertz, 220.0));
        const double offD4 = std::abs(cents(readings[i].hertz, 293.66));
        EXPECT_LT(std::min(offA3, offD4), 0.5) << i;
        EXPECT_EQ(offD4 < offA3, i >= 6) << i;
    }
    EXPECT_TRUE(readings[9].note());
}

TEST(OnsetPitch, FindsWherePlucksBegin) {
    // 4096 samples of a 300 Hz note from `from` on, over a 250 Hz ring at `tail` before it.
    const auto block = [](std::size_t from, double tail) {
        std::vector<std::int16_t> out = sound({{250.0, tail}}, 4096);
        const auto note = sound({{300.0, 8000.0}}, 4096, from);
        for (std::size_t n = from; n < out.size(); ++n) {
            out[n] = note[n];
        }
        return out;
    };
    EXPECT_EQ(noteStartIn(sound({{300.0, 8000.0}}, 4096)), std::nullopt);  // a ring: no start
    // A new note's first whole part follows the part it began in.
    EXPECT_EQ(noteStartIn(block(1000, 800.0)), 1024u + 128u);
    EXPECT_EQ(noteStartIn(block(1000, 0.0)), 1024u + 128u);  // out of silence
    // Less than twice as loud (6 dB) within 9 ms is a ring's swell, not a pluck: no start.
    EXPECT_EQ(noteStartIn(block(1024, 8000.0 / 2.1)), 1152u);
    EXPECT_EQ(noteStartIn(block(1024, 8000.0 / 1.9)), std::nullopt);
}

}  // namespace
}  // namespace strumwise::pitch
