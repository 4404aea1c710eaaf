// The pitch heard: the harmonic-sum estimate the lamp lights from, its refinement between bins
// and its check against a weak fundamental, and the note reading the meter shows, from the last
// pluck's start.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <numbers>
#include <random>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "adapters/sound_files/audio_file.h"
#include "base/level_meter.h"
#include "pitch/note_reader.h"
#include "pitch/octave_check.h"
#include "pitch/onset_pitch.h"
#include "pitch/pitch_estimator.h"
#include "support/scratch_folder.h"
#include "support/test_signals.h"

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

using testing::binFrequency;
using Bins = std::vector<std::pair<std::uint32_t, double>>;
constexpr std::uint32_t kBins = PitchEstimator::kSpectrumBins;

class PitchEstimatorTest : public ::testing::Test {
  protected:
    // About 512 KB of spectra: on the heap, like the listener's.
    std::unique_ptr<PitchEstimator> estimator =
        std::make_unique<PitchEstimator>(testing::kCaptureRate);

    // Runs the harmonic sum over a spectrum that is zero except at `bins`; answers the bins of
    // the sum that are not zero.
    Bins sumHarmonicsOf(const Bins& bins) {
        std::fill_n(estimator->freq_db(), kBins, 0.0);
        for (const auto& [bin, value] : bins) {
            estimator->freq_db()[bin] = value;
        }
        estimator->addHarmonics();
        Bins sums;
        for (std::uint32_t k = 0; k < kBins; ++k) {
            if (estimator->freq_db_harmonic()[k] != 0.0) {
                sums.emplace_back(k, estimator->freq_db_harmonic()[k]);
            }
        }
        return sums;
    }
    float estimate(const std::vector<std::int16_t>& samples, std::uint32_t bytes = 8192) {
        return estimator->getFreqFromBuffer(samples.data(), bytes);
    }
};

TEST_F(PitchEstimatorTest, HarmonicSumAddsWholeNumberPartsOfTheStrongestBinNearTwiceAndThrice) {
    // 2000 is in the group {1999, 2000} of bin 1000 and {2000, 2001, 2002} of bin 667.
    EXPECT_EQ(sumHarmonicsOf({{2000, 10.5}}), (Bins{{667, 10.0}, {1000, 10.0}, {2000, 10.5}}));
    EXPECT_EQ(estimator->findTopSpike(), 2000u);

    // A fundamental weaker than its octave still wins with its 2nd and 3rd harmonics.
    EXPECT_EQ(
        sumHarmonicsOf({{500, 3.0}, {1000, 4.0}, {1500, 2.0}}),
        (Bins{
            {167, 3.0}, {250, 3.0}, {333, 4.0}, {500, 9.0}, {750, 2.0}, {1000, 4.0}, {1500, 2.0}}));
    EXPECT_EQ(estimator->findTopSpike(), 500u);

    // The last group of each pass is never added.
    EXPECT_EQ(sumHarmonicsOf({{16383, 100.0}}), (Bins{{16383, 100.0}}));

    // Harmonics below 1.0 add nothing, and ties go to the lowest bin.
    std::fill_n(estimator->freq_db(), kBins, 0.9);
    estimator->addHarmonics();
    EXPECT_TRUE(std::equal(estimator->freq_db(), estimator->freq_db() + kBins,
                           estimator->freq_db_harmonic()));
    EXPECT_EQ(estimator->findTopSpike(), 0u);
}

TEST_F(PitchEstimatorTest, SilenceBlocksShorterThanASampleAndStaleSpectraReadZeroHz) {
    const std::vector<std::int16_t> silence(4096, 0);
    EXPECT_EQ(estimate(silence), 0.0f);
    EXPECT_EQ(estimator->refinedFrequency(), 0.0);
    EXPECT_EQ(estimate(testing::tone(293.0), 1), 0.0f);
    ASSERT_GT(estimate(testing::tone(binFrequency(685))), 0.0f);
    // A shorter block must not see the tail of the previous one.
    EXPECT_EQ(estimate(silence, 4096), 0.0f);
    EXPECT_TRUE(std::all_of(estimator->freq_db(), estimator->freq_db() + kBins,
                            [](double v) { return v == 0.0; }));
}

// Each reading is pinned as bin * 14039 / 32768 Hz, worked out by hand: the estimate is the bin
// of the strongest harmonic sum, so a fault in the scale, the sum or the bin width moves it.
TEST_F(PitchEstimatorTest, TonesAndPluckedStringsAreReadAtPinnedBins) {
    // Banjo notes from C3 to A4; amplitude 3 leaves harmonic magnitudes below 1.0, so that only
    // the fundamental's own peak counts.
    const std::pair<std::uint32_t, float> notes[] = {
        {305, 130.6731f}, {343, 146.9536f}, {457, 195.7954f}, {576, 246.7793f},
        {685, 293.4789f}, {768, 329.0391f}, {915, 392.0192f}, {1027, 440.0041f}};
    for (const auto& [bin, hertz] : notes) {
        for (const double amplitude : {8000.0, 3.0}) {
            EXPECT_NEAR(estimate(testing::tone(binFrequency(bin), amplitude)), hertz, 1e-3)
                << "bin " << bin << ", amplitude " << amplitude;
        }
    }
    // A plucked string's harmonics decay and its fundamental falls between bins, so the reading
    // depends on the magnitude scale and the whole-number cut-off of the harmonic sum: with half
    // the scale, D4 ringing 0.58 s after the pluck reads one bin higher, at 293.9073 Hz.
    const std::pair<double, float> strings[] = {{146.83, 146.9536f},
                                                {196.0, 196.2238f},
                                                {246.94, 246.7793f},
                                                {293.66, 293.4789f},
                                                {392.0, 392.0192f}};
    for (const auto& [played, hertz] : strings) {
        const auto pluck = testing::pluckedString(played, 1.0, 0.25);
        for (const std::size_t start : {0u, 8192u}) {
            EXPECT_NEAR(estimator->getFreqFromBuffer(pluck.data() + start, 8192), hertz, 1e-3)
                << played << " Hz from sample " << start;
        }
    }
}

// Notes of the four tunings detuned as a player finds them, steady, plucked and on a stiff string
// whose third and fourth partials sit 17 cents sharp: between bins 3 to 6 cents wide, the bin
// alone is up to 3 cents off, and the stiff string's harmonic sum peaks bins above its
// fundamental. The refinement must land on the detuning, worked out here from equal temperament,
// within a twentieth of a cent.
TEST_F(PitchEstimatorTest, RefinementReadsTonesBetweenBinsToATwentiethOfACent) {
    const std::pair<int, double> notes[] = {{48, -20.0}, {50, 7.0}, {55, 20.0}, {57, -3.0},
                                            {59, -7.0},  {62, 3.0}, {64, 13.0}, {67, -11.0},
                                            {69, 0.0},   {60, 45.0}};
    for (const auto& [midi, detune] : notes) {
        const double equalTempered = 440.0 * std::pow(2.0, (midi - 69) / 12.0);
        const double hertz = equalTempered * std::pow(2.0, detune / 1200.0);
        const auto steady = testing::tone(hertz);
        const auto pluck = testing::pluckedString(hertz, 1.0, 0.25);
        const auto stiff = sound(string(hertz, 6000.0, 17.0), 4096);
        const auto flat = sound(string(hertz, 6000.0, -17.0), 4096);
        for (const auto* samples :
             {steady.data(), pluck.data(), pluck.data() + 8192, stiff.data(), flat.data()}) {
            estimator->getFreqFromBuffer(samples, 8192);
            EXPECT_NEAR(cents(estimator->refinedFrequency(), equalTempered), detune, 0.05)
                << midi << " " << detune;
        }
    }
}

// A fundamental far weaker than its partials, as a banjo's often is: the harmonic sum reads the
// octave (bin 700) or the twelfth (bin 1050), the checked estimate the fundamental's bin 350, and
// refinement then follows the checked bin. Tones whose fundamental is right stay where they are.
TEST_F(PitchEstimatorTest, OctaveCheckMovesAWeakFundamentalsPartialDownAndLeavesTheRestAlone) {
    const struct {
        std::vector<double> weights;
        std::uint32_t estimated;
    } tones[] = {
        {{0.05, 1.0, 0.8, 1.0, 0.6, 0.8}, 700},
        {{0.2, 0.2, 1.0, 0.2, 0.2, 1.0}, 1050},
    };
    for (const auto& t : tones) {
        const auto samples = testing::tone(binFrequency(350), 4000.0, t.weights);
        EXPECT_EQ(estimate(samples), estimator->binToHz(t.estimated));
        EXPECT_EQ(estimator->estimatedBin(), t.estimated);
        EXPECT_EQ(estimator->checkOctave(), estimator->binToHz(350));
        EXPECT_EQ(estimator->checkOctave(), estimator->binToHz(350));  // asking again
        EXPECT_EQ(estimator->estimatedBin(), t.estimated);
        EXPECT_NEAR(estimator->refinedFrequency(), binFrequency(350), 0.01);
        // A new estimate starts from its own bin, unchecked.
        EXPECT_EQ(estimate(samples), estimator->binToHz(t.estimated));
        EXPECT_NEAR(estimator->refinedFrequency(), binFrequency(t.estimated), 0.05);
    }
    for (const double hertz : {130.81, 196.0, 293.66, 440.0}) {
        for (const auto& samples :
             {testing::tone(hertz), testing::pluckedString(hertz, 1.0, 0.25)}) {
            const float estimated = estimate(samples);
            EXPECT_EQ(estimator->checkOctave(), estimated) << hertz;
        }
    }
    EXPECT_EQ(estimate(std::vector<std::int16_t>(4096, 0)), 0.0f);
    EXPECT_EQ(estimator->checkOctave(), 0.0f);
}

constexpr std::uint32_t kHalf = 16384;
constexpr double kBinHertz = 14039.0 / 32768.0;

// A spectrum of plain magnitudes, zero but for the given peaks, with harmonic sums of its own,
// zero but for the given bins.
using Peaks = std::initializer_list<std::pair<std::uint32_t, double>>;
struct Spectrum {
    explicit Spectrum(Peaks peaks = {}, Peaks sumsAt = {}) {
        for (const auto& [bin, value] : peaks) {
            magnitudes[bin] = value;
        }
        for (const auto& [bin, value] : sumsAt) {
            sums[bin] = value;
        }
    }
    std::vector<kiss_fft_cpx> bins = std::vector<kiss_fft_cpx>(kHalf + 1, kiss_fft_cpx{0, 0});
    std::vector<double> magnitudes = std::vector<double>(kHalf, 0.0);
    std::vector<double> sums = std::vector<double>(kHalf, 0.0);
    HannSpectrum hann{bins.data(), magnitudes.data(), kHalf, 0};
    OctaveCheck check{hann, sums.data(), kHalf, kBinHertz};
};

TEST(OctaveCheck, ScoresRootsOfHarmonicPeaksWithinFortyCentsWeightedAndCutAtThreeKilohertz) {
    // Bin 2400 is 1028.2 Hz: its 2nd harmonic lies below 3 kHz, its 3rd above.
    Spectrum s({{2400, 16.0}, {4800, 9.0}, {7200, 100.0}});
    EXPECT_NEAR(s.check.score(2400 * kBinHertz), 4.0 + 0.84 * 3.0, 1e-9);
    // The 2nd harmonic's peak counts 35.7 cents away, but not 46.3.
    s.magnitudes[4800] = 0.0;
    s.magnitudes[4900] = 9.0;
    EXPECT_NEAR(s.check.score(2400 * kBinHertz), 6.52, 1e-9);
    s.magnitudes[4900] = 0.0;
    s.magnitudes[4930] = 9.0;
    EXPECT_NEAR(s.check.score(2400 * kBinHertz), 4.0, 1e-9);
}

TEST(OctaveCheck, MovesDownOnlyWhenTheLowerFundamentalScoresTenPercentMore) {
    // A partial of 100 at bin 1200 and a weak peak at its half: the half scores
    // sqrt(b) + 0.84 x 10 against 10, so it takes b above 6.76 to win.
    for (const auto& [half, expected] : {std::pair{6.25, 1200u}, std::pair{7.29, 598u}}) {
        // Where it moves, the strongest harmonic sum within two bins, the lowest on a tie.
        Spectrum s({{1200, 100.0}, {600, half}}, {{598, 5.0}, {601, 5.0}, {603, 9.0}});
        EXPECT_EQ(s.check.check(1200), expected) << half;
    }
    // A twelfth: the third scores 4 + 0.84^2 x 10 = 11.06 against 10, the half only 8.4.
    Spectrum twelfth({{1200, 100.0}, {400, 16.0}}, {{400, 1.0}});
    EXPECT_EQ(twelfth.check.check(1200), 400u);
    // Nothing below bin 10 is examined, however strong its case.
    Spectrum low({{9, 100.0}, {3, 100.0}}, {{3, 1.0}});
    EXPECT_EQ(low.check.check(9), 9u);
    EXPECT_EQ(low.check.check(0), 0u);
}

TEST(OctaveCheck, ResolvesAFourthPartialInTwoMovesAndStopsAtThree) {
    // Equal peaks at 300, 600, 1200 and 2400: from 2400 each halving explains more of them, and
    // the third move reaches 300, where the sub-octave (empty) no longer wins.
    Spectrum s({{300, 100.0}, {600, 100.0}, {1200, 100.0}, {2400, 100.0}},
               {{300, 1.0}, {600, 1.0}, {1200, 1.0}, {2400, 1.0}});
    EXPECT_EQ(s.check.check(2400), 300u);
    // A strong peak at 150 scores 37.3 against 300's 27.3, but it would take a fourth move.
    s.magnitudes[150] = 400.0;
    s.sums[150] = 1.0;
    EXPECT_EQ(s.check.check(2400), 300u);
    EXPECT_EQ(s.check.check(300), 150u);
}

TEST(OctaveCheck, MovesAFourthPartialStraightDownWhenItsHalfLeadsShortOfTheMargin) {
    // Partials 1..4 of bin 150 with magnitudes 1, 4, 100 and 100, the fourth chosen. Its half
    // scores 2 + 0.84 x 10 = 10.4 against 10, short of 11; its quarter 1 + 0.84 x 2 + 0.84^2 x
    // 10 + 0.84^3 x 10 = 15.66, and there it stays (its half would score only 9.16).
    const auto checked = [](double second) {
        Spectrum s({{150, 1.0}, {300, second}, {450, 100.0}, {600, 100.0}},
                   {{149, 1.0}, {150, 2.0}});
        return s.check.check(600);
    };
    EXPECT_EQ(checked(4.0), 150u);
    // With the second partial at 1 the half scores 9.4, below the fourth itself: no move,
    // however well the quarter explains the spectrum.
    EXPECT_EQ(checked(1.0), 600u);
}

TEST(HannSpectrum, EqualsTheTransformOfTheWindowedBlockEvenBelowTheShift) {
    // A 4096-sample tone zero-padded to 32768 points: bins k - 8 .. k + 8 of its transform,
    // worked out directly, give the Hann-windowed power of bin k.
    constexpr std::uint32_t kCount = 4096;
    std::vector<double> block(kCount);
    for (std::uint32_t n = 0; n < kCount; ++n) {
        block[n] = std::sin(2.0 * std::numbers::pi * 3.3 * kBinHertz * n / 14039.0) +
                   0.5 * std::cos(2.0 * std::numbers::pi * 0.017 * n);
    }
    const auto transform = [&](std::uint32_t k, bool windowed) {
        std::complex<double> sum = 0.0;
        for (std::uint32_t n = 0; n < kCount; ++n) {
            const double w =
                windowed ? 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * n / kCount) : 1.0;
            sum += block[n] * w * std::polar(1.0, -2.0 * std::numbers::pi * k * n / 32768.0);
        }
        return sum;
    };
    Spectrum s;
    for (std::uint32_t k = 0; k <= 20; ++k) {
        const auto x = transform(k, false);
        s.bins[k] = {static_cast<float>(x.real()), static_cast<float>(x.imag())};
    }
    const HannSpectrum hann(s.bins.data(), s.magnitudes.data(), kHalf, 8);
    for (const std::uint32_t k : {0u, 3u, 8u, 12u}) {
        const double expected = std::norm(transform(k, true));
        EXPECT_NEAR(hann.power(k), expected, 1e-4 * expected + 1e-3) << k;
    }
}

// A sampled banjo, rendered from Debian's small General MIDI sound font with FluidSynth (both
// installed by scripts/setup.sh): its low strings' fundamentals are weak, so the harmonic sum
// reads them an octave or a twelfth up, and the octave check must bring them back.
constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr int kBanjo = 105;  // General MIDI program 106, counted from 0
constexpr double kSlotSeconds = 2.0;
constexpr double kLoud = 0.0045;  // the level above which the tuner measures

// A type-0 MIDI file: the banjo playing `notes` in turn, each held for 1.5 s of its slot.
std::string banjoMidi(const std::vector<int>& notes) {
    std::string track;
    const auto event = [&](int delta, std::initializer_list<int> bytes) {
        // Deltas here stay below 2^14 ticks: two bytes of variable length at most.
        if (delta >= 128) {
            track += static_cast<char>(0x80 | (delta >> 7));
        }
        track += static_cast<char>(delta & 0x7F);
        for (const int b : bytes) {
            track += static_cast<char>(b);
        }
    };
    // 500 ticks a beat at 120 beats a minute: a millisecond a tick.
    event(0, {0xC0, kBanjo});
    for (const int note : notes) {
        event(0, {0x90, note, 100});
        event(1500, {0x80, note, 0});
        event(static_cast<int>(kSlotSeconds * 1000) - 1500, {0xB0, 0x7B, 0});  // all notes off
    }
    event(0, {0xFF, 0x2F, 0x00});
    const auto be32 = [](std::uint32_t v) {
        return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16),
                           static_cast<char>(v >> 8), static_cast<char>(v)};
    };
    return std::string("MThd") + be32(6) + std::string("\0\0\0\1\x01\xF4", 6) + "MTrk" +
           be32(static_cast<std::uint32_t>(track.size())) + track;
}

TEST(SampledBanjo, TheOctaveCheckReadsTheLowStringsAtTheirFundamental) {
    ASSERT_EQ(std::system("command -v fluidsynth >/dev/null"), 0)
        << "fluidsynth is missing: bash scripts/setup.sh installs it";
    ASSERT_TRUE(std::filesystem::exists(kSoundFont))
        << kSoundFont << " is missing: bash scripts/setup.sh installs timgm6mb-soundfont";
    const testing::ScratchFolder scratch("banjo");
    const auto& dir = scratch.path();
    const std::vector<int> notes = {50, 55, 59, 62, 67};  // open G: D3 G3 B3 D4 G4
    { std::ofstream((dir / "banjo.mid").string(), std::ios::binary) << banjoMidi(notes); }
    const std::string render = (dir / "banjo.wav").string();
    const std::string command = "fluidsynth -ni -q -g 1.0 -r 44100 -F '" + render + "' " +
                                kSoundFont + " '" + (dir / "banjo.mid").string() +
                                "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const auto decoded = platform::sound_files::readAudioFile(render, 14039.0);
    ASSERT_EQ(decoded.error, "");

    // Without the check, D3 and G3 are read on a partial in every loud block and B3 and D4 in
    // half of them; with it, every loud block of every string is read at its own note (within
    // 50 cents).
    const int specifiedRightAtMost[] = {0, 0, 3, 3, 5};
    auto estimator = std::make_unique<PitchEstimator>(14039.0);
    const auto slot = static_cast<std::size_t>(kSlotSeconds * 14039.0);
    for (std::size_t n = 0; n < notes.size(); ++n) {
        SCOPED_TRACE("MIDI note " + std::to_string(notes[n]));
        const double played = 440.0 * std::exp2((notes[n] - 69) / 12.0);
        const auto right = [&](float hertz) { return std::abs(cents(hertz, played)) < 50.0; };
        int loud = 0, specifiedRight = 0, checkedRight = 0;
        for (std::size_t at = n * slot;
             at + 4096 <= (n + 1) * slot && at + 4096 <= decoded.samples.size(); at += 4096) {
            const std::span block(decoded.samples.data() + at, 4096);
            if (!(measureLevel(block).averagePower > kLoud)) {
                continue;
            }
            ++loud;
            specifiedRight += right(estimator->getFreqFromBuffer(block.data(), 8192));
            checkedRight += right(estimator->checkOctave());
        }
        ASSERT_GE(loud, 3);
        EXPECT_LE(specifiedRight, specifiedRightAtMost[n]);
        EXPECT_EQ(checkedRight, loud);
    }
}

TEST(NoteReaderTest, ReadsAPluckFromItsOwnSamplesOnceTwoReadingsAgree) {
    // A D4 plucked 0.2 s into silence and damped at 1.0 s: too young to read at the first tick
    // after it, then once a window of its own has agreed with the one before, a note to a tenth
    // of a cent, until silence fills the later half of the window.
    auto samples = sound(string(293.66, 6000.0), static_cast<std::size_t>(1.3 * kRate),
                         static_cast<std::size_t>(0.2 * kRate));
    std::fill(samples.begin() + static_cast<std::ptrdiff_t>(kRate), samples.end(), 0);
    const auto readings = readEveryTick(samples);
    std::size_t firstNote = readings.size();
    for (std::size_t i = 0; i < readings.size(); ++i) {
        if (readings[i].note()) {
            firstNote = std::min(firstNote, i);
            EXPECT_NEAR(cents(readings[i].hertz, 293.66), 0.0, 0.1) << i;
        }
    }
    // Silence is too quiet to judge; 0.1 s of the note at the third tick (0.3 s) is a pluck
    // too young to read; 0.2 s at the fourth, a first candidate; shown at the fifth. At 1.2 s
    // the window holds the edge of the sound, not a note, though its earlier half still rings.
    EXPECT_EQ(readings[1].verdict, NoteReading::Verdict::Unsure);
    EXPECT_TRUE(readings[2].starting());
    EXPECT_EQ(readings[3].verdict, NoteReading::Verdict::Unsure);
    EXPECT_EQ(firstNote, 4u);
    for (std::size_t i = firstNote; i < readings.size(); ++i) {
        EXPECT_EQ(readings[i].note(), i <= 10) << i;
    }
    EXPECT_EQ(readings[11].verdict, NoteReading::Verdict::Unsure);
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
