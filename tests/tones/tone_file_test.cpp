#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/headless/wav_file.h"
#include "tones/tone_generator.h"

namespace strumwise::tones {
namespace {

using platform::headless::WavFileWriter;

std::string scratchPath(const char* name) {
    return (std::filesystem::temp_directory_path() /
            ("strumwise_" + std::to_string(::getpid()) + "_" + name))
        .string();
}

// Renders `frames` frames of the A string (440 Hz) in uneven chunks, as a command or a virtual
// output unit would, into `file`.
void renderInto(WavFileWriter& file, std::uint32_t frames) {
    ToneGenerator generator;
    generator.setCurTone(kWaveTriangle);
    std::vector<std::int16_t> chunk(2 * 1000);
    for (std::uint32_t done = 0; done < frames;) {
        const std::uint32_t n = std::min<std::uint32_t>(frames - done, 1000 - done % 7);
        platform::AudioBuffer buffer{2, n * 4, chunk.data()};
        platform::AudioBufferList list{1, &buffer};
        generator.render(n, list);
        ASSERT_TRUE(file.write(chunk.data(), n)) << file.error();
        done += n;
    }
}

TEST(ToneFile, RenderedToneReadsBackFrameForFrame) {
    const std::string path = scratchPath("a4.wav");
    {
        WavFileWriter file(path, 44100, 2);
        ASSERT_TRUE(file.isOpen()) << file.error();
        renderInto(file, 44100);
        ASSERT_TRUE(file.close()) << file.error();
    }
    SF_INFO info{};
    SNDFILE* in = sf_open(path.c_str(), SFM_READ, &info);
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(info.samplerate, 44100);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.frames, 44100);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    std::vector<std::int16_t> samples(2 * 44100);
    EXPECT_EQ(sf_readf_short(in, samples.data(), 44100), 44100);
    sf_close(in);
    std::filesystem::remove(path);

    EXPECT_EQ(std::vector<std::int16_t>(samples.begin(), samples.begin() + 8),
              (std::vector<std::int16_t>{0, 0, 1524, 1524, 3044, 3044, 4558, 4558}));
    // The whole second continues one waveform: compare with one uninterrupted render.
    ToneGenerator reference;
    reference.setCurTone(kWaveTriangle);
    std::vector<std::int16_t> expected(2 * 44100);
    platform::AudioBuffer buffer{2, 4 * 44100, expected.data()};
    platform::AudioBufferList list{1, &buffer};
    reference.render(44100, list);
    EXPECT_EQ(samples, expected);
}

TEST(ToneFile, FailuresAreReportedNotLost) {
    WavFileWriter missingFolder("/nonexistent-strumwise-folder/out.wav", 44100, 2);
    EXPECT_FALSE(missingFolder.isOpen());
    EXPECT_NE(missingFolder.error().find("/nonexistent-strumwise-folder/out.wav"),
              std::string::npos);
    const std::int16_t frame[2] = {1, 1};
    EXPECT_FALSE(missingFolder.write(frame, 1));
    EXPECT_FALSE(missingFolder.close());

    if (std::filesystem::exists("/dev/full")) {
        // The disk fills up while writing: the writer must not answer success.
        WavFileWriter full("/dev/full", 44100, 2);
        bool allWritten = full.isOpen();
        std::vector<std::int16_t> second(2 * 44100, 7);
        for (int i = 0; i < 4 && allWritten; ++i) {
            allWritten = full.write(second.data(), 44100);
        }
        EXPECT_FALSE(allWritten && full.close());
        EXPECT_FALSE(full.error().empty());
    }
}

}  // namespace
}  // namespace strumwise::tones
