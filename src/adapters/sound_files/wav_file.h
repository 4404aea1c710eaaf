#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace strumwise::platform::sound_files {

// A 16-bit PCM WAV file being written, frame by frame. Any failure (the file cannot be created,
// the disk is full, the header cannot be finished) is kept as one line in error(), and once a
// call has failed every later write fails too, so a caller can write everything and check once
// at close(). A file that failed is removed rather than left half written.
//
// `-` is standard output. A WAV header is finished at the end, which needs a file that can be
// sought in; for standard output on a pipe, a FIFO or a device, the file is written to an
// unnamed temporary file and copied out whole at close().
class WavFileWriter {
  public:
    // Creates or truncates `path`. On failure the writer is not open and error() says why.
    WavFileWriter(const std::string& path, int sampleRate, int channels);
    ~WavFileWriter();
    WavFileWriter(const WavFileWriter&) = delete;
    WavFileWriter& operator=(const WavFileWriter&) = delete;

    bool isOpen() const { return file_ != nullptr; }

    // Appends `frames` frames of interleaved samples (frames x channels values).
    bool write(const std::int16_t* interleaved, std::size_t frames);

    // Finishes the header and closes the file; true when every frame made it to the file.
    // Further writes fail. The destructor closes a file that is still open.
    bool close();

    const std::string& error() const { return error_; }

  private:
    void fail(const std::string& what);
    bool finish();

    std::string path_;
    // libsndfile's SNDFILE handle, untyped here so that its header stays out of ours.
    void* file_ = nullptr;
    int stream_ = -1;     // where a temporary's contents go at close, when not a plain file
    int temporary_ = -1;  // the file libsndfile writes for a stream
    bool removeOnFailure_ = false;
    std::string error_;
};

}  // namespace strumwise::platform::sound_files
