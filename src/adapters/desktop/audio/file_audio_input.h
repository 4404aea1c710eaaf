#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/audio_input.h"
#include "platform/log.h"
#include "platform/sample_reader.h"

namespace strumwise::platform::desktop {

// A recording queue that plays samples read from a SampleReader (a sound file decoded as it
// goes) into the capture path in real time instead of a microphone: while it runs, block i (4096
// samples, or a buffer's capacity if smaller) is handed to the callback (i+1) x 4096 / rate seconds
// after the start, on a timer thread of its own, in the first enqueued buffer; after the last
// sample it delivers silence. A block that finds no buffer enqueued is dropped, as a real queue
// drops audio it has nowhere to put. Restarting goes on from where it stopped.
class FileAudioInputQueue final : public AudioInputQueue {
  public:
    static constexpr std::uint32_t kBlockSamples = 4096;

    FileAudioInputQueue(std::unique_ptr<SampleReader> reader, double sampleRate,
                        AudioInputCallback callback, void* userData);
    ~FileAudioInputQueue() override;

    AudioQueueBuffer* allocateBuffer(std::uint32_t byteCapacity) override;
    void enqueueBuffer(AudioQueueBuffer& buffer) override;
    void start() override;
    void stop() override;
    std::optional<bool> isRunning() const override { return running_.load(); }
    std::int32_t setLevelMeteringEnabled(bool enabled) override;
    void currentLevelMeter(LevelMeterState* levels, std::uint32_t channels) const override;

  private:
    struct OwnedBuffer {
        AudioQueueBuffer buffer;
        std::vector<std::int16_t> storage;
    };

    void deliverBlocks();
    void fill(AudioQueueBuffer& buffer);

    // Read by the timer thread only.
    const std::unique_ptr<SampleReader> reader_;
    std::vector<std::int16_t> skipped_;
    const double sampleRate_;
    const AudioInputCallback callback_;
    void* const userData_;

    std::deque<OwnedBuffer> buffers_;  // stable addresses; grown on the main thread only
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<AudioQueueBuffer*> enqueued_;
    bool stopRequested_ = false;
    LevelMeterState level_;
    bool metering_ = false;

    std::atomic<bool> running_{false};
    std::thread thread_;
};

// Makes file-fed queues for the product's one capture format: mono signed 16-bit at the rate the
// samples are read at. Any other format, or a signal that cannot be opened, is refused with one
// log line. Every queue reads the signal from its beginning.
class FileAudioInputFactory final : public AudioInputQueueFactory {
  public:
    FileAudioInputFactory(SampleReaderOpener open, double sampleRate, Log& log);

    std::unique_ptr<AudioInputQueue> newInput(const StreamFormat& format,
                                              AudioInputCallback callback, void* userData) override;

  private:
    SampleReaderOpener open_;
    double sampleRate_;
    Log& log_;
};

}  // namespace strumwise::platform::desktop
