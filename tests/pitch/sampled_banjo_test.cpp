// A sampled banjo, rendered from Debian's small General MIDI sound font with FluidSynth (both
// installed by scripts/setup.sh): its low strings' fundamentals are weak, so the harmonic sum
// reads them an octave or a twelfth up, and the octave check must bring them back.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "adapters/sound_files/audio_file.h"
#include "base/level_meter.h"
#include "pitch/pitch_estimator.h"

namespace strumwise::pitch {
namespace {

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

struct NoteReading {
    int loudBlocks = 0;
    int specifiedRight = 0;  // blocks within 50 cents of the note played
    int checkedRight = 0;
};

TEST(SampledBanjo, TheOctaveCheckReadsTheLowStringsAtTheirFundamental) {
    ASSERT_EQ(std::system("command -v fluidsynth >/dev/null"), 0)
        << "fluidsynth is missing: bash scripts/setup.sh installs it";
    ASSERT_TRUE(std::filesystem::exists(kSoundFont))
        << kSoundFont << " is missing: bash scripts/setup.sh installs timgm6mb-soundfont";
    const auto dir =
        std::filesystem::temp_directory_path() / ("strumwise-banjo-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::vector<int> notes = {50, 55, 59, 62, 67};  // open G: D3 G3 B3 D4 G4
    { std::ofstream((dir / "banjo.mid").string(), std::ios::binary) << banjoMidi(notes); }
    const std::string render = (dir / "banjo.wav").string();
    const std::string command = "fluidsynth -ni -q -g 1.0 -r 44100 -F '" + render + "' " +
                                kSoundFont + " '" + (dir / "banjo.mid").string() +
                                "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const auto decoded = platform::sound_files::readAudioFile(render, 14039.0);
    std::filesystem::remove_all(dir);
    ASSERT_EQ(decoded.error, "");

    auto estimator = std::make_unique<PitchEstimator>(14039.0);
    std::vector<NoteReading> readings(notes.size());
    const auto slot = static_cast<std::size_t>(kSlotSeconds * 14039.0);
    for (std::size_t n = 0; n < notes.size(); ++n) {
        const double played = 440.0 * std::exp2((notes[n] - 69) / 12.0);
        const auto right = [&](float hertz) {
            return std::abs(1200.0 * std::log2(hertz / played)) < 50.0;
        };
        for (std::size_t at = n * slot;
             at + 4096 <= (n + 1) * slot && at + 4096 <= decoded.samples.size(); at += 4096) {
            const std::span block(decoded.samples.data() + at, 4096);
            if (!(measureLevel(block).averagePower > kLoud)) {
                continue;
            }
            ++readings[n].loudBlocks;
            readings[n].specifiedRight += right(estimator->getFreqFromBuffer(block.data(), 8192));
            readings[n].checkedRight += right(estimator->checkOctave());
        }
    }
    // Without the check, D3 and G3 are read on a partial in every loud block and B3 and D4 in
    // half of them; with it, every loud block of every string is read at its own note.
    const int specifiedRightAtMost[] = {0, 0, 3, 3, 5};
    for (std::size_t n = 0; n < notes.size(); ++n) {
        const NoteReading& r = readings[n];
        SCOPED_TRACE("MIDI note " + std::to_string(notes[n]));
        ASSERT_GE(r.loudBlocks, 3);
        EXPECT_LE(r.specifiedRight, specifiedRightAtMost[n]);
        EXPECT_EQ(r.checkedRight, r.loudBlocks);
    }
}

}  // namespace
}  // namespace strumwise::pitch
