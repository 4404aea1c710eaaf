#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "adapters/sound_files/sound_source.h"
#include "platform/sample_reader.h"

namespace strumwise::platform::sound_files {

// The rates a sound file may declare. Outside them a header is taken for a lie or a mistake:
// at 1 Hz a few bytes would stand for hours of audio.
inline constexpr double kLowestFileRate = 1000.0;
inline constexpr double kHighestFileRate = 768000.0;

// A sound file decoded as it is read, for the microphone path: any file libsndfile reads; mono,
// or the first channel of a multichannel file; resampled with libsoxr when the file's rate
// differs from the requested one; as signed 16-bit samples. Memory stays the same whatever the
// file's length. A file of N frames at rate R reads as round(N x sampleRate / R) samples, and
// never fewer than one.
class AudioFileReader final : public SampleReader {
  public:
    // Opens `path` to be read at `sampleRate`. On failure answers nullptr and puts one line that
    // names the file and says what is wrong in `error`: it cannot be opened or read, declares a
    // rate outside kLowestFileRate..kHighestFileRate, or holds no audio.
    static std::unique_ptr<AudioFileReader> open(const std::string& path, double sampleRate,
                                                 std::string& error);
    // The same on a source already open: each reader reads it from its start, on its own.
    static std::unique_ptr<AudioFileReader> open(std::shared_ptr<SoundSource> source,
                                                 double sampleRate, std::string& error);
    ~AudioFileReader() override;
    AudioFileReader(const AudioFileReader&) = delete;
    AudioFileReader& operator=(const AudioFileReader&) = delete;

    std::size_t read(std::span<std::int16_t> out) override;

    // Empty while all is well; after a read stopped short because the file could not be read or
    // resampled further, one line that says why.
    const std::string& error() const;

  private:
    struct State;
    explicit AudioFileReader(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

// How many samples AudioFileReader::open(path, sampleRate) will read, found by reading the file
// through without resampling, since a header's length can be wrong; nullopt with `error` set
// when the file cannot be read.
std::optional<std::uint64_t> countAudioFileSamples(const std::string& path, double sampleRate,
                                                   std::string& error);
std::optional<std::uint64_t> countAudioFileSamples(const std::shared_ptr<SoundSource>& source,
                                                   double sampleRate, std::string& error);

// A whole (short) file read into memory with an AudioFileReader.
struct DecodedAudio {
    std::vector<std::int16_t> samples;
    double sampleRate = 0.0;
    std::string error;  // empty on success; otherwise one line that says what went wrong
};
DecodedAudio readAudioFile(const std::string& path, double sampleRate);

}  // namespace strumwise::platform::sound_files
