#include "platform/headless/wav_file.h"

#include <sndfile.h>
#include "base/printable_text.h"

namespace strumwise::platform::headless {
namespace {

SNDFILE* handle(void* file) {
    return static_cast<SNDFILE*>(file);
}

}  // namespace

WavFileWriter::WavFileWriter(const std::string& path, int sampleRate, int channels) : path_(path) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    if (sampleRate <= 0 || channels <= 0 || sf_format_check(&info) == 0) {
        fail("unsupported WAV format");
        return;
    }
    file_ = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file_ == nullptr) {
        fail(sf_strerror(nullptr));
    }
}

WavFileWriter::~WavFileWriter() {
    close();
}

bool WavFileWriter::write(const std::int16_t* interleaved, std::size_t frames) {
    if (file_ == nullptr) {
        if (error_.empty()) {
            error_ = "cannot write " + printableText(path_) + ": the file is closed";
        }
        return false;
    }
    const auto count = static_cast<sf_count_t>(frames);
    if (sf_writef_short(handle(file_), interleaved, count) != count) {
        fail(sf_strerror(handle(file_)));
        return false;
    }
    return true;
}

bool WavFileWriter::close() {
    if (file_ == nullptr) {
        return error_.empty();
    }
    // The header's sizes are written at close, so a failure here loses the file as surely as a
    // failed write.
    sf_write_sync(handle(file_));
    const int status = sf_close(handle(file_));
    file_ = nullptr;
    if (status != 0 && error_.empty()) {
        error_ = "cannot write " + printableText(path_) + ": " + sf_error_number(status);
    }
    return error_.empty();
}

void WavFileWriter::fail(const std::string& what) {
    if (error_.empty()) {
        error_ = "cannot write " + printableText(path_) + ": " + what;
    }
    if (file_ != nullptr) {
        sf_close(handle(file_));
        file_ = nullptr;
    }
}

}  // namespace strumwise::platform::headless
