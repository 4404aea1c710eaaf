#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "adapters/headless/virtual_run_loop.h"
#include "platform/audio_input.h"
#include "platform/log.h"
#include "platform/sample_reader.h"

namespace strumwise::platform::headless {

// Blocks of samples read from a SampleReader as they are first asked for, so that a signal as
// long as a file takes a block of memory, not the file's length. Blocks are asked for in the
// order they are heard: the latest one is kept for every queue that hears it, blocks skipped
// over are read and dropped, and an earlier block than the latest is silence.
class ReaderBlocks {
  public:
    explicit ReaderBlocks(std::unique_ptr<SampleReader> reader);

    // Block `index` of the signal (4096 samples; fewer or none after the end).
    std::span<const std::int16_t> block(std::int64_t index);

  private:
    std::unique_ptr<SampleReader> reader_;
    std::vector<std::int16_t> block_;
    std::size_t blockLength_ = 0;
    std::int64_t blockIndex_ = -1;
};

// Audio as the headless microphone hears it: 16-bit mono samples at a fixed rate, heard from a
// fixed origin of virtual time on, followed by silence for ever. The samples are either held in
// `samples` or, when `blocks` is set, read from it as they are heard.
struct MicrophoneSignal {
    std::vector<std::int16_t> samples;
    std::shared_ptr<ReaderBlocks> blocks;
    double sampleRate = 14039.0;
    Micros origin = 0;
};

// Input queues that "record" a MicrophoneSignal on the virtual clock. The signal is cut into
// blocks of 4096 samples; block i is heard by origin + (i + 1) x 4096 / rate seconds, and it is
// delivered then (on the run loop, which stands in for the capture thread) if the queue is
// running and a buffer is enqueued; otherwise that block is lost, as sound a stopped microphone
// misses. After the signal's end the blocks are silence. The meter reads the RMS and peak of
// the most recently filled buffer (base/level_meter.h), once metering is enabled. A queue given
// a tap also hands it each piece of 512 samples by the time that piece is heard, whether or not
// a buffer is waiting.
//
// The factory accepts only the capture format the signal is in (linear PCM, signed 16-bit,
// packed, mono, at the signal's rate); for any other it logs one line and answers nullptr.
class FileAudioInputQueueFactory final : public AudioInputQueueFactory {
  public:
    static constexpr std::uint32_t kBlockSamples = 4096;
    static constexpr std::uint32_t kPieceSamples = 512;

    FileAudioInputQueueFactory(VirtualRunLoop& runLoop, Log& log,
                               std::shared_ptr<const MicrophoneSignal> signal);

    // Replaces what later queues hear (queues already made keep theirs).
    void setSignal(std::shared_ptr<const MicrophoneSignal> signal);

    std::unique_ptr<AudioInputQueue> newInput(const StreamFormat& format,
                                              AudioInputCallback callback, void* userData) override;

    // The virtual time at which block `index` of a signal is heard.
    static Micros blockTime(const MicrophoneSignal& signal, std::int64_t index);
    // The virtual time at which piece `index` (of kPieceSamples) is heard.
    static Micros pieceTime(const MicrophoneSignal& signal, std::int64_t index);

  private:
    VirtualRunLoop& runLoop_;
    Log& log_;
    std::shared_ptr<const MicrophoneSignal> signal_;
};

}  // namespace strumwise::platform::headless
