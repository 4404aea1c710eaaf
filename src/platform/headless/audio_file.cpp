#include "platform/headless/audio_file.h"

#include <sndfile.h>
#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <string_view>

#include "base/pcm16.h"
#include "base/printable_text.h"
#include "base/text_format.h"

namespace strumwise::platform::headless {

namespace {

// Frames read from the file at a time; the reader's memory is a few buffers of this size.
constexpr sf_count_t kChunkFrames = 8192;

struct SndFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndFilePtr = std::unique_ptr<SNDFILE, SndFileCloser>;

struct SoxrDeleter {
    void operator()(soxr_t resampler) const { soxr_delete(resampler); }
};
using SoxrPtr = std::unique_ptr<std::remove_pointer_t<soxr_t>, SoxrDeleter>;

// libsndfile's own words, without the "System error : " it puts before the system's.
std::string reason(SNDFILE* file) {
    std::string text = sf_strerror(file);
    constexpr std::string_view kSystemPrefix = "System error : ";
    if (text.starts_with(kSystemPrefix)) {
        text.erase(0, kSystemPrefix.size());
    }
    return text;
}

// Opens a file for reading and checks what its header declares; nullptr with `error` set when
// it cannot be used.
SndFilePtr openChecked(const std::string& path, SF_INFO& info, std::string& error) {
    info = SF_INFO{};
    SndFilePtr file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) {
        error = "cannot read " + printableText(path) + ": " + reason(nullptr);
        return nullptr;
    }
    if (info.channels < 1) {
        error = "cannot read " + printableText(path) + ": the file describes no audio channels";
        return nullptr;
    }
    if (!(info.samplerate >= kLowestFileRate && info.samplerate <= kHighestFileRate)) {
        error = formatText("cannot read %s: its sample rate of %d Hz is outside %.0f to %.0f Hz",
                           printableText(path).c_str(), info.samplerate, kLowestFileRate,
                           kHighestFileRate);
        return nullptr;
    }
    return file;
}

// The length of `inputFrames` frames at the new rate, rounded, and at least one sample.
std::uint64_t resampledLength(std::uint64_t inputFrames, double fromRate, double toRate) {
    if (fromRate == toRate) {
        return inputFrames;
    }
    const auto length = static_cast<std::uint64_t>(
        std::llround(static_cast<double>(inputFrames) * toRate / fromRate));
    return std::max<std::uint64_t>(length, 1);
}

}  // namespace

struct AudioFileReader::State {
    std::string path;
    SndFilePtr file;
    SF_INFO info{};
    double sampleRate = 0.0;
    SoxrPtr resampler;  // null when the file is at the requested rate

    std::vector<float> interleaved;  // one chunk as read
    std::vector<float> mono;         // its first channel, clipped to full scale
    std::size_t monoUsed = 0;
    std::size_t monoLength = 0;
    std::vector<float> ready;  // samples at the requested rate not yet handed out
    std::size_t readyUsed = 0;
    std::size_t readyLength = 0;

    std::uint64_t framesRead = 0;
    std::uint64_t samplesOut = 0;
    // Known once the file's end is reached: how many samples the whole file reads as.
    std::optional<std::uint64_t> totalSamples;
    bool finished = false;
    std::string error;

    void fail(const std::string& message) {
        if (error.empty()) {
            error = message;
        }
        finished = true;
    }

    // Reads the next chunk of the file into `mono`; at the end of the file fixes totalSamples.
    void readChunk() {
        const sf_count_t frames = sf_readf_float(file.get(), interleaved.data(), kChunkFrames);
        if (sf_error(file.get()) != SF_ERR_NO_ERROR) {
            fail("cannot read " + printableText(path) + ": " + reason(file.get()));
            monoLength = 0;
            return;
        }
        const auto count = static_cast<std::size_t>(std::max<sf_count_t>(frames, 0));
        const auto channels = static_cast<std::size_t>(info.channels);
        for (std::size_t f = 0; f < count; ++f) {
            mono[f] = clipToFullScale(interleaved[f * channels]);
        }
        monoUsed = 0;
        monoLength = count;
        framesRead += count;
        if (count == 0) {
            totalSamples = resampledLength(framesRead, info.samplerate, sampleRate);
        }
    }

    // Puts the next run of samples at the requested rate into `ready`; sets `finished` when
    // there are no more. The file's chunks are used up in order, the one read at open first.
    void refill() {
        readyUsed = 0;
        readyLength = 0;
        if (monoUsed == monoLength && !totalSamples) {
            readChunk();
            if (finished) {
                return;
            }
        }
        if (!resampler) {
            if (monoUsed == monoLength) {
                finished = true;
                return;
            }
            std::copy(mono.begin() + static_cast<std::ptrdiff_t>(monoUsed),
                      mono.begin() + static_cast<std::ptrdiff_t>(monoLength), ready.begin());
            readyLength = monoLength - monoUsed;
            monoUsed = monoLength;
            return;
        }
        std::size_t used = 0;
        std::size_t produced = 0;
        // After the file's end the resampler is asked for what its filter still holds.
        const bool flushing = monoUsed == monoLength && totalSamples.has_value();
        const soxr_error_t status =
            flushing ? soxr_process(resampler.get(), nullptr, 0, nullptr, ready.data(),
                                    ready.size(), &produced)
                     : soxr_process(resampler.get(), mono.data() + monoUsed, monoLength - monoUsed,
                                    &used, ready.data(), ready.size(), &produced);
        if (status != nullptr) {
            fail("cannot resample " + printableText(path) + ": " + status);
            return;
        }
        if (!flushing && used == 0 && produced == 0) {
            // Never expected of libsoxr; without this a stalled resampler would hang the read.
            fail("cannot resample " + path + ": the resampler took no input");
            return;
        }
        monoUsed += used;
        readyLength = produced;
        if (flushing && produced == 0) {
            finished = true;
        }
    }

    // The samples still to be handed out of `ready`, never beyond the file's length.
    std::size_t available() const {
        std::size_t count = readyLength - readyUsed;
        if (totalSamples) {
            const std::uint64_t left = *totalSamples > samplesOut ? *totalSamples - samplesOut : 0;
            count = static_cast<std::size_t>(std::min<std::uint64_t>(count, left));
        }
        return count;
    }
};

AudioFileReader::AudioFileReader(std::unique_ptr<State> state) : state_(std::move(state)) {}

AudioFileReader::~AudioFileReader() = default;

std::unique_ptr<AudioFileReader> AudioFileReader::open(const std::string& path, double sampleRate,
                                                       std::string& error) {
    if (!(sampleRate > 0.0)) {
        error = "cannot read " + printableText(path) + ": the sample rate must be positive";
        return nullptr;
    }
    auto state = std::make_unique<State>();
    state->file = openChecked(path, state->info, error);
    if (!state->file) {
        return nullptr;
    }
    state->path = path;
    state->sampleRate = sampleRate;
    const auto channels = static_cast<std::size_t>(state->info.channels);
    state->interleaved.resize(static_cast<std::size_t>(kChunkFrames) * channels);
    state->mono.resize(static_cast<std::size_t>(kChunkFrames));
    // Enough room for everything one chunk of input can give at the new rate, and some.
    const double ratio = sampleRate / state->info.samplerate;
    state->ready.resize(static_cast<std::size_t>(std::ceil(kChunkFrames * std::max(ratio, 1.0))) +
                        1024);

    if (static_cast<double>(state->info.samplerate) != sampleRate) {
        const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
        const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
        soxr_error_t status = nullptr;
        state->resampler.reset(
            soxr_create(state->info.samplerate, sampleRate, 1, &status, &io, &quality, nullptr));
        if (status != nullptr || !state->resampler) {
            error = "cannot resample " + printableText(path) + ": " +
                    (status != nullptr ? status : "no memory");
            return nullptr;
        }
    }

    // The first chunk is read now, so that a file without audio is refused before anything
    // is done with it.
    state->readChunk();
    if (!state->error.empty()) {
        error = state->error;
        return nullptr;
    }
    if (state->framesRead == 0) {
        error = "cannot read " + printableText(path) + ": the file holds no audio";
        return nullptr;
    }
    return std::unique_ptr<AudioFileReader>(new AudioFileReader(std::move(state)));
}

std::size_t AudioFileReader::read(std::span<std::int16_t> out) {
    State& s = *state_;
    std::size_t written = 0;
    while (written < out.size()) {
        std::size_t count = s.available();
        if (count == 0) {
            if (s.finished || (s.totalSamples && s.samplesOut >= *s.totalSamples)) {
                break;
            }
            s.refill();
            continue;
        }
        count = std::min(count, out.size() - written);
        const float* from = s.ready.data() + s.readyUsed;
        std::transform(from, from + count, out.begin() + static_cast<std::ptrdiff_t>(written),
                       pcm16FromFloat);
        s.readyUsed += count;
        s.samplesOut += count;
        written += count;
    }
    // The resampler's last output can fall a sample or so short of the file's length at the new
    // rate (a file shorter than one sample there gives none at all); silence makes it up.
    if (s.finished && s.error.empty() && s.totalSamples) {
        const auto missing = static_cast<std::size_t>(std::min<std::uint64_t>(
            *s.totalSamples - std::min(s.samplesOut, *s.totalSamples), out.size() - written));
        std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(written), missing, std::int16_t{0});
        written += missing;
        s.samplesOut += missing;
    }
    return written;
}

const std::string& AudioFileReader::error() const {
    return state_->error;
}

std::optional<std::uint64_t> countAudioFileSamples(const std::string& path, double sampleRate,
                                                   std::string& error) {
    SF_INFO info{};
    SndFilePtr file = openChecked(path, info, error);
    if (!file) {
        return std::nullopt;
    }
    std::vector<float> interleaved(static_cast<std::size_t>(kChunkFrames) *
                                   static_cast<std::size_t>(info.channels));
    std::uint64_t frames = 0;
    for (;;) {
        const sf_count_t count = sf_readf_float(file.get(), interleaved.data(), kChunkFrames);
        if (sf_error(file.get()) != SF_ERR_NO_ERROR) {
            error = "cannot read " + printableText(path) + ": " + reason(file.get());
            return std::nullopt;
        }
        if (count <= 0) {
            break;
        }
        frames += static_cast<std::uint64_t>(count);
    }
    return resampledLength(frames, info.samplerate, sampleRate);
}

DecodedAudio readAudioFile(const std::string& path, double sampleRate) {
    DecodedAudio result;
    const std::unique_ptr<AudioFileReader> reader =
        AudioFileReader::open(path, sampleRate, result.error);
    if (!reader) {
        return result;
    }
    std::vector<std::int16_t> block(static_cast<std::size_t>(kChunkFrames));
    for (;;) {
        const std::size_t count = reader->read(block);
        result.samples.insert(result.samples.end(), block.begin(),
                              block.begin() + static_cast<std::ptrdiff_t>(count));
        if (count < block.size()) {
            break;
        }
    }
    if (!reader->error().empty()) {
        result.error = reader->error();
        result.samples.clear();
        return result;
    }
    result.sampleRate = sampleRate;
    return result;
}

}  // namespace strumwise::platform::headless
