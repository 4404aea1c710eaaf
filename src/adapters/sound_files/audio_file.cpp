#include "adapters/sound_files/audio_file.h"

#include <sndfile.h>
#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "adapters/sound_files/sndfile_reason.h"
#include "base/pcm16.h"
#include "base/printable_text.h"
#include "base/text_format.h"

namespace strumwise::platform::sound_files {

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

std::string reason(SNDFILE* file) {
    return sndfileReason(file);
}

// One reader's view of a SoundSource: libsndfile seeks and reads through it as through a file
// of its own, while other readers of the same source keep their own positions.
struct SourceCursor {
    SoundSource* source = nullptr;
    sf_count_t position = 0;

    static sf_count_t length(void* self) {
        return static_cast<SourceCursor*>(self)->source->size();
    }
    static sf_count_t seek(sf_count_t offset, int whence, void* self) {
        auto& cursor = *static_cast<SourceCursor*>(self);
        const sf_count_t from = whence == SEEK_CUR   ? cursor.position
                                : whence == SEEK_END ? cursor.source->size()
                                                     : 0;
        cursor.position = std::max<sf_count_t>(from + offset, 0);
        return cursor.position;
    }
    static sf_count_t read(void* into, sf_count_t count, void* self) {
        auto& cursor = *static_cast<SourceCursor*>(self);
        const sf_count_t got = cursor.source->readAt(into, count, cursor.position);
        cursor.position += got;
        return got;
    }
    static sf_count_t write(const void*, sf_count_t, void*) { return 0; }
    static sf_count_t tell(void* self) { return static_cast<SourceCursor*>(self)->position; }
};

SF_VIRTUAL_IO sourceIo() {
    return SF_VIRTUAL_IO{&SourceCursor::length, &SourceCursor::seek, &SourceCursor::read,
                         &SourceCursor::write, &SourceCursor::tell};
}

// libsndfile's reason for a failed read, or the system's when the source itself failed.
std::string readFailure(const SoundSource& source, SNDFILE* file) {
    const std::string failure = source.failure();
    return failure.empty() ? reason(file) : failure;
}

// Opens a source for reading through `cursor` and checks what its header declares; nullptr with
// `error` set when it cannot be used.
SndFilePtr openChecked(SourceCursor& cursor, SF_INFO& info, std::string& error) {
    info = SF_INFO{};
    SF_VIRTUAL_IO io = sourceIo();
    const std::string shown = shownName(cursor.source->path());
    SndFilePtr file(sf_open_virtual(&io, SFM_READ, &info, &cursor));
    if (!file) {
        error = "cannot read " + shown + ": " + readFailure(*cursor.source, nullptr);
        return nullptr;
    }
    if (info.channels < 1) {
        error = "cannot read " + shown + ": the file describes no audio channels";
        return nullptr;
    }
    if (!(info.samplerate >= kLowestFileRate && info.samplerate <= kHighestFileRate)) {
        error = formatText("cannot read %s: its sample rate of %d Hz is outside %.0f to %.0f Hz",
                           shown.c_str(), info.samplerate, kLowestFileRate, kHighestFileRate);
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
    std::shared_ptr<SoundSource> source;
    SourceCursor cursor;
    std::string path;  // shown in messages
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
            fail("cannot read " + path + ": " + readFailure(*source, file.get()));
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
            // A source that failed under libsndfile reads as an early end there.
            if (const std::string failure = source->failure(); !failure.empty()) {
                fail("cannot read " + path + ": " + failure);
                return;
            }
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
            fail("cannot resample " + path + ": " + status);
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
    std::shared_ptr<SoundSource> source = SoundSource::open(path, error);
    return source ? open(std::move(source), sampleRate, error) : nullptr;
}

std::unique_ptr<AudioFileReader> AudioFileReader::open(std::shared_ptr<SoundSource> source,
                                                       double sampleRate, std::string& error) {
    const std::string path = shownName(source->path());
    if (!(sampleRate > 0.0)) {
        error = "cannot read " + path + ": the sample rate must be positive";
        return nullptr;
    }
    auto state = std::make_unique<State>();
    state->source = std::move(source);
    state->cursor.source = state->source.get();
    state->file = openChecked(state->cursor, state->info, error);
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
            error = "cannot resample " + path + ": " + (status != nullptr ? status : "no memory");
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
        error = "cannot read " + path + ": the file holds no audio";
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
    const std::shared_ptr<SoundSource> source = SoundSource::open(path, error);
    return source ? countAudioFileSamples(source, sampleRate, error) : std::nullopt;
}

std::optional<std::uint64_t> countAudioFileSamples(const std::shared_ptr<SoundSource>& source,
                                                   double sampleRate, std::string& error) {
    SF_INFO info{};
    SourceCursor cursor{source.get()};
    SndFilePtr file = openChecked(cursor, info, error);
    if (!file) {
        return std::nullopt;
    }
    std::vector<float> interleaved(static_cast<std::size_t>(kChunkFrames) *
                                   static_cast<std::size_t>(info.channels));
    std::uint64_t frames = 0;
    for (;;) {
        const sf_count_t count = sf_readf_float(file.get(), interleaved.data(), kChunkFrames);
        const std::string failure = source->failure();
        if (sf_error(file.get()) != SF_ERR_NO_ERROR || !failure.empty()) {
            error = "cannot read " + shownName(source->path()) + ": " +
                    readFailure(*source, file.get());
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

}  // namespace strumwise::platform::sound_files
