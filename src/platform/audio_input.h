#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "base/level_meter.h"
#include "platform/stream_format.h"

namespace strumwise::platform {

// Per-channel level meter reading of the most recently filled buffer.
using ::strumwise::LevelMeterState;

// A capture buffer owned by its queue. The queue fills audioData with byteSize bytes of the
// queue's format and hands the buffer to the input callback.
struct AudioQueueBuffer {
    void* audioData = nullptr;
    std::uint32_t capacity = 0;
    std::uint32_t byteSize = 0;
};

class AudioInputQueue;

// Called on the queue's capture thread with each short piece of audio as soon as it has been
// captured, in order, before the buffer that holds it is complete: a tuning meter that reads
// overlapping windows of the latest audio need not wait for a whole buffer. It must only copy.
using AudioTapCallback = void (*)(void* userData, const std::int16_t* samples, std::uint32_t count);

// Called on the queue's own capture thread for each filled buffer, with the user data given at
// creation and the queue that delivered the buffer.
using AudioInputCallback = void (*)(void* userData, AudioInputQueue& queue,
                                    AudioQueueBuffer& buffer);

// A recording queue. start, stop, the meter and destruction are called on the main thread;
// isRunning and enqueueBuffer also from the capture thread, so implementations make those safe
// to call concurrently. Destroying the queue disposes of it immediately: capture stops, and no
// callback is running or will run once the destructor has returned.
class AudioInputQueue {
  public:
    virtual ~AudioInputQueue() = default;

    // A buffer of at least `byteCapacity` bytes, owned by the queue; nullptr on failure.
    virtual AudioQueueBuffer* allocateBuffer(std::uint32_t byteCapacity) = 0;
    // Hands the buffer back to be filled and delivered later.
    virtual void enqueueBuffer(AudioQueueBuffer& buffer) = 0;
    virtual void start() = 0;
    // Stops at once; enqueued buffers are kept.
    virtual void stop() = 0;
    // Whether the queue is recording; nullopt when the query fails.
    virtual std::optional<bool> isRunning() const = 0;
    // Turns metering on or off; answers a status, 0 for success.
    virtual std::int32_t setLevelMeteringEnabled(bool enabled) = 0;
    // Fills one reading per channel, for `channels` channels.
    virtual void currentLevelMeter(LevelMeterState* levels, std::uint32_t channels) const = 0;
    // Hands every captured piece to `tap` as well, from the next start on; call it on the main
    // thread while the queue is stopped. Answers false when the queue captures whole buffers
    // only, so that nothing comes sooner than the buffers themselves.
    virtual bool setTap(AudioTapCallback tap, void* userData) {
        (void)tap;
        (void)userData;
        return false;
    }
    // Whether the queue has lost its device and is trying to get it back; while it is, no
    // buffer is delivered. Queues whose device cannot go away answer false.
    virtual bool reconnecting() const { return false; }
};

class AudioInputQueueFactory {
  public:
    virtual ~AudioInputQueueFactory() = default;
    // A new, stopped queue in `format`; nullptr when no queue can be made (for example when
    // there is no input device). Failures are reported once, by the factory, in the log.
    virtual std::unique_ptr<AudioInputQueue> newInput(const StreamFormat& format,
                                                      AudioInputCallback callback,
                                                      void* userData) = 0;
};

}  // namespace strumwise::platform
