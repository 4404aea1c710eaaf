#include "platform/headless/audio_file.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "support/test_signals.h"

namespace strumwise::platform::headless {
namespace {

namespace fs = std::filesystem;

class AudioFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("strumwise_audio_file_" +
                std::to_string(::testing::UnitTest::GetInstance()->current_test_info()->line()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Writes interleaved frames with libsndfile; `format` is an SF_FORMAT_* combination.
    template <typename Sample>
    std::string write(const std::string& name, int format, int rate, int channels,
                      const std::vector<Sample>& interleaved) {
        const std::string path = (dir_ / name).string();
        SF_INFO info{};
        info.samplerate = rate;
        info.channels = channels;
        info.format = format;
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

    static std::vector<std::int16_t> sine(double frequency, int rate, int count) {
        std::vector<std::int16_t> samples(static_cast<std::size_t>(count));
        for (int n = 0; n < count; ++n) {
            samples[static_cast<std::size_t>(n)] = static_cast<std::int16_t>(
                std::lround(12000.0 * std::sin(2.0 * std::numbers::pi * frequency * n / rate)));
        }
        return samples;
    }

    fs::path dir_;
};

constexpr int kWav16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16;

TEST_F(AudioFileTest, SamplesAtTheRequestedRateReadBackExactlyFromTheFirstChannelClipped) {
    const std::vector<std::int16_t> samples = {0, 1, -1, 32767, -32768, 1234, -4321};
    DecodedAudio audio = readAudioFile(write("exact.wav", kWav16, 14039, 1, samples), 14039);
    EXPECT_EQ(audio.error, "");
    EXPECT_EQ(audio.sampleRate, 14039.0);
    EXPECT_EQ(audio.samples, samples);
    const std::vector<std::int16_t> stereo = {100, -7, 200, -7, 300, -7};
    audio = readAudioFile(write("stereo.wav", kWav16, 8000, 2, stereo), 8000);
    EXPECT_EQ(audio.samples, (std::vector<std::int16_t>{100, 200, 300}));
    const std::vector<float> loud = {1.5f, -1.5f, 0.5f, -1.0f};
    audio =
        readAudioFile(write("float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 14039, 1, loud), 14039);
    EXPECT_EQ(audio.samples, (std::vector<std::int16_t>{32767, -32768, 16384, -32768}));
}

TEST_F(AudioFileTest, OtherRatesAreResampledKeepingPitchAndDuration) {
    const std::vector<std::int16_t> tone = sine(293.66, 44100, 44100);
    const DecodedAudio audio = readAudioFile(write("cd.wav", kWav16, 44100, 1, tone), 14039);
    ASSERT_EQ(audio.error, "");
    EXPECT_EQ(audio.sampleRate, 14039.0);
    EXPECT_NEAR(static_cast<double>(audio.samples.size()), 14039.0, 1.0);
    EXPECT_NEAR(testing::crossingFrequency(audio.samples, 14039.0), 293.66, 0.1);
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
    EXPECT_NE(readAudioFile(empty, 14039).error.find("no audio"), std::string::npos);
}

}  // namespace
}  // namespace strumwise::platform::headless
