#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "adapters/sound_files/wav_file.h"
#include "support/scratch_folder.h"
#include "tones/fakes.h"
#include "tones/tone_length.h"

namespace strumwise::tones {
namespace {

using platform::sound_files::WavFileWriter;

TEST(ToneFile, RenderedToneReadsBackFrameForFrame) {
    ToneGenerator generator;
    generator.setCurTone(kWaveTriangle);
    const auto expected = testing::renderStereo(generator, 10000);
    const strumwise::testing::ScratchFolder scratch("tone");
    const auto path = scratch.path() / "tone.wav";
    {
        WavFileWriter file(path.string(), 44100, 2);
        // In uneven pieces, as an output unit would hand them over.
        for (std::size_t done = 0; done < 10000; done += 997) {
            ASSERT_TRUE(
                file.write(expected.data() + 2 * done, std::min<std::size_t>(10000 - done, 997)))
                << file.error();
        }
        ASSERT_TRUE(file.close()) << file.error();
    }
    SF_INFO info{};
    SNDFILE* in = sf_open(path.c_str(), SFM_READ, &info);
    ASSERT_NE(in, nullptr);
    std::vector<std::int16_t> samples(2 * 10000);
    EXPECT_EQ(sf_readf_short(in, samples.data(), 10000), 10000);
    sf_close(in);
    EXPECT_EQ(info.samplerate, 44100);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(samples, expected);
}

// A file that cannot be made says which; a disk that fills up while a tone is written is among the
// commands' failed writes, as the user meets it.
TEST(ToneFile, AFileThatCannotBeMadeIsReportedNotLost) {
    WavFileWriter missingFolder("/nonexistent-strumwise-folder/out.wav", 44100, 2);
    EXPECT_FALSE(missingFolder.isOpen());
    EXPECT_NE(missingFolder.error().find("/nonexistent-strumwise-folder/out.wav"),
              std::string::npos);
    EXPECT_FALSE(missingFolder.close());
}

TEST(ToneFile, LengthsRunFromOneFrameToAnHour) {
    struct Case {
        double seconds;
        bool allowed;
        std::uint64_t frames;
    };
    for (const Case& c :
         {Case{1e-9, true, 1}, Case{1.0, true, 44100}, Case{0.5 / 44100, true, 1},
          Case{3600.0, true, 158'760'000}, Case{0.0, false, 0}, Case{-1.0, false, 0},
          Case{3600.001, false, 0}, Case{std::nan(""), false, 0}}) {
        EXPECT_EQ(isToneFileLength(c.seconds), c.allowed) << c.seconds;
        if (c.allowed) {
            EXPECT_EQ(toneFrames(c.seconds, 44100.0), c.frames) << c.seconds;
        }
    }
}

}  // namespace
}  // namespace strumwise::tones
