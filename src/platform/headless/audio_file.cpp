#include "platform/headless/audio_file.h"

#include <sndfile.h>
#include <soxr.h>
#include "base/printable_text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string_view>

namespace strumwise::platform::headless {

namespace {

struct SndFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndFilePtr = std::unique_ptr<SNDFILE, SndFileCloser>;

// libsndfile's own words, without the "System error : " it puts before the system's.
std::string reason(SNDFILE* file) {
    std::string text = sf_strerror(file);
    constexpr std::string_view kSystemPrefix = "System error : ";
    if (text.starts_with(kSystemPrefix)) {
        text.erase(0, kSystemPrefix.size());
    }
    return text;
}

DecodedAudio failure(std::string message) {
    DecodedAudio result;
    result.error = std::move(message);
    return result;
}

// The first channel of every frame, as floats on libsndfile's -1..1 scale.
std::vector<float> readFirstChannel(SNDFILE* file, const SF_INFO& info) {
    constexpr sf_count_t kChunkFrames = 8192;
    const auto channels = static_cast<std::size_t>(info.channels);
    std::vector<float> interleaved(static_cast<std::size_t>(kChunkFrames) * channels);
    std::vector<float> mono;
    mono.reserve(static_cast<std::size_t>(std::max<sf_count_t>(info.frames, 0)));
    for (;;) {
        const sf_count_t frames = sf_readf_float(file, interleaved.data(), kChunkFrames);
        if (frames <= 0) {
            break;
        }
        for (sf_count_t f = 0; f < frames; ++f) {
            mono.push_back(interleaved[static_cast<std::size_t>(f) * channels]);
        }
    }
    return mono;
}

// Resamples a whole signal with libsoxr's high-quality filter; the result is as long as the
// input lasts at the new rate, and at least one sample.
std::vector<float> resample(const std::vector<float>& input, double fromRate, double toRate,
                            std::string& error) {
    const auto outputLength = static_cast<std::size_t>(
        std::llround(static_cast<double>(input.size()) * toRate / fromRate));
    std::vector<float> output(outputLength);
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    std::size_t produced = 0;
    const soxr_error_t status =
        soxr_oneshot(fromRate, toRate, 1, input.data(), input.size(), nullptr, output.data(),
                     output.size(), &produced, &io, &quality, nullptr);
    if (status != nullptr) {
        error = status;
        return {};
    }
    output.resize(produced);
    return output;
}

std::int16_t toSample(float value) {
    // libsndfile reads 16-bit audio as sample / 32768, so this restores it exactly.
    const double scaled = std::round(static_cast<double>(value) * 32768.0);
    return static_cast<std::int16_t>(std::clamp(scaled, -32768.0, 32767.0));
}

}  // namespace

DecodedAudio readAudioFile(const std::string& path, double sampleRate) {
    if (!(sampleRate > 0.0)) {
        return failure("cannot read " + printableText(path) + ": the sample rate must be positive");
    }
    SF_INFO info{};
    SndFilePtr file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) {
        return failure("cannot read " + printableText(path) + ": " + reason(nullptr));
    }
    if (info.channels < 1 || info.samplerate <= 0) {
        return failure("cannot read " + printableText(path) +
                       ": the file describes no audio channels");
    }

    std::vector<float> mono = readFirstChannel(file.get(), info);
    if (sf_error(file.get()) != SF_ERR_NO_ERROR) {
        return failure("cannot read " + printableText(path) + ": " + reason(file.get()));
    }
    if (mono.empty()) {
        return failure("cannot read " + printableText(path) + ": the file holds no audio");
    }

    if (static_cast<double>(info.samplerate) != sampleRate) {
        std::string error;
        mono = resample(mono, info.samplerate, sampleRate, error);
        if (!error.empty()) {
            return failure("cannot resample " + printableText(path) + ": " + error);
        }
    }

    DecodedAudio result;
    result.sampleRate = sampleRate;
    result.samples.resize(mono.size());
    std::transform(mono.begin(), mono.end(), result.samples.begin(), toSample);
    return result;
}

}  // namespace strumwise::platform::headless
