#include "adapters/sound_files/audio_file.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "base/pcm16.h"
#include "support/scratch_folder.h"

namespace strumwise::platform::sound_files {
namespace {

namespace fs = std::filesystem;

class AudioFileTest : public ::testing::Test {
  protected:
    // Writes interleaved frames with libsndfile; `format` is an SF_FORMAT_* combination.
    template <typename Sample>
    std::string write(const std::string& name, int format, int rate, int channels,
                      const std::vector<Sample>& interleaved) {
        const std::string path = (dir_ / name).string();
        SF_INFO info{0, rate, channels, format, 0, 0};  // frames, rate, channels, format, ...
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
        if constexpr (std::is_same_v<Sample, float>) {
            sf_write_float(file, interleaved.data(), static_cast<sf_count_t>(interleaved.size()));
        } else {
            sf_write_short(file, interleaved.data(), static_cast<sf_count_t>(interleaved.size()));
        }
        sf_close(file);
        return path;
    }

    testing::ScratchFolder folder_{"audio-file"};
    const fs::path& dir_ = folder_.path();
};

constexpr int kWav16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16;

TEST_F(AudioFileTest, SamplesAtTheRequestedRateReadBackExactlyFromTheFirstChannel) {
    const std::vector<std::int16_t> samples = {0, 1, -1, 32767, -32768, 1234, -4321};
    DecodedAudio audio = readAudioFile(write("exact.wav", kWav16, 14039, 1, samples), 14039);
    EXPECT_EQ(audio.error, "");
    EXPECT_EQ(audio.sampleRate, 14039.0);
    EXPECT_EQ(audio.samples, samples);
    const std::vector<std::int16_t> stereo = {100, -7, 200, -7, 300, -7};
    audio = readAudioFile(write("stereo.wav", kWav16, 8000, 2, stereo), 8000);
    EXPECT_EQ(audio.samples, (std::vector<std::int16_t>{100, 200, 300}));
}

TEST_F(AudioFileTest, UnreadableInputGivesOneLineNamingTheFile) {
    const std::string missing = (dir_ / "missing.wav").string();
    const std::string text = (dir_ / "notes.txt").string();
    std::ofstream(text) << "not a sound file\n";
    const std::string empty = write("empty.wav", kWav16, 14039, 1, std::vector<std::int16_t>{});

    for (const std::string& path : {missing, text, empty}) {
        const DecodedAudio audio = readAudioFile(path, 14039);
        EXPECT_TRUE(audio.samples.empty()) << path;
        EXPECT_NE(audio.error.find(path), std::string::npos) << audio.error;
        EXPECT_EQ(audio.error.find('\n'), std::string::npos) << audio.error;
    }
}

TEST_F(AudioFileTest, FilesOfAFewSamplesReadAsTheirLengthAtTheNewRateAndAtLeastOneSample) {
    for (const int rate : {8000, 44100, 48000, 192000}) {
        for (int n = 0; n <= 8; ++n) {
            const std::string path =
                write("tiny" + std::to_string(rate) + "_" + std::to_string(n) + ".wav", kWav16,
                      rate, 1, std::vector<std::int16_t>(static_cast<std::size_t>(n), 3000));
            const DecodedAudio audio = readAudioFile(path, 14039);
            if (n == 0) {
                EXPECT_NE(audio.error.find("no audio"), std::string::npos) << rate;
                continue;
            }
            ASSERT_EQ(audio.error, "") << rate << " Hz, " << n << " samples";
            const auto expected = std::max<std::size_t>(
                1, static_cast<std::size_t>(std::llround(n * 14039.0 / rate)));
            EXPECT_EQ(audio.samples.size(), expected) << rate << " Hz, " << n << " samples";
            std::string error;
            EXPECT_EQ(countAudioFileSamples(path, 14039, error), expected) << error;
        }
    }
}

TEST_F(AudioFileTest, RatesOutsideOneKilohertzTo768KilohertzAreRefused) {
    const std::vector<std::int16_t> samples(64, 1000);
    for (const auto& [rate, accepted] : std::vector<std::pair<int, bool>>{
             {1, false}, {999, false}, {1000, true}, {768000, true}, {768001, false}}) {
        const std::string path =
            write("rate" + std::to_string(rate) + ".wav", kWav16, rate, 1, samples);
        std::string error;
        EXPECT_EQ(AudioFileReader::open(path, 14039, error) != nullptr, accepted) << rate;
        EXPECT_EQ(countAudioFileSamples(path, 14039, error).has_value(), accepted) << rate;
        EXPECT_EQ(error.find("sample rate of " + std::to_string(rate) + " Hz") != std::string::npos,
                  !accepted)
            << error;
    }
}

// The reader works through a file a chunk at a time; what it reads must be what resampling the
// whole file at once gives, whatever the file's length against the chunks.
TEST_F(AudioFileTest, ReadingInChunksGivesWhatResamplingTheWholeFileGives) {
    for (const int rate : {8000, 44100, 48000}) {
        for (const int length : {8191, 8192, 8193, 3 * 8192 + 1, 40000}) {
            std::vector<std::int16_t> tone(static_cast<std::size_t>(length));
            std::vector<float> input(tone.size());
            for (std::size_t n = 0; n < tone.size(); ++n) {
                tone[n] =
                    static_cast<std::int16_t>(12000.0 * std::sin(0.01 * static_cast<double>(n)));
                input[n] = static_cast<float>(tone[n]) / 32768.0f;
            }
            const std::string path = write("chunks.wav", kWav16, rate, 1, tone);
            std::vector<float> whole(
                static_cast<std::size_t>(std::llround(length * 14039.0 / rate)));
            const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
            const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
            std::size_t produced = 0;
            ASSERT_EQ(soxr_oneshot(rate, 14039, 1, input.data(), input.size(), nullptr,
                                   whole.data(), whole.size(), &produced, &io, &quality, nullptr),
                      nullptr);
            std::vector<std::int16_t> expected(whole.size());
            std::transform(whole.begin(), whole.end(), expected.begin(), pcm16FromFloat);

            EXPECT_EQ(readAudioFile(path, 14039).samples, expected) << rate << " Hz, " << length;
        }
    }
}

TEST_F(AudioFileTest, NanIsSilenceAndEverythingElseIsClippedToSixteenBits) {
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const std::vector<float> odd = {std::nanf(""), kInf, -kInf, 1e30f, -1e30f, 0.25f, -0.25f};
    const DecodedAudio audio =
        readAudioFile(write("odd.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 14039, 1, odd), 14039);
    EXPECT_EQ(audio.samples,
              (std::vector<std::int16_t>{0, 32767, -32768, 32767, -32768, 8192, -8192}));

    // Resampled, one bad sample is a click where it was, not a stretch of ruined signal.
    std::vector<float> clean(44100);
    for (std::size_t n = 0; n < clean.size(); ++n) {
        clean[n] = 0.4f * std::sin(2.0f * std::numbers::pi_v<float> * 196.0f *
                                   static_cast<float>(n) / 44100.0f);
    }
    for (const float bad : {std::nanf(""), kInf, -kInf}) {
        std::vector<float> spoiled = clean;
        spoiled[22050] = bad;
        const auto cleanRead = readAudioFile(
            write("clean.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100, 1, clean), 14039);
        const auto spoiledRead = readAudioFile(
            write("spoiled.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100, 1, spoiled), 14039);
        ASSERT_EQ(spoiledRead.samples.size(), cleanRead.samples.size());
        std::size_t changed = 0;
        for (std::size_t n = 0; n < cleanRead.samples.size(); ++n) {
            changed += std::abs(spoiledRead.samples[n] - cleanRead.samples[n]) > 200 ? 1 : 0;
        }
        EXPECT_LT(changed, 50u) << bad;  // a few milliseconds at most
    }
}

}  // namespace
}  // namespace strumwise::platform::sound_files
