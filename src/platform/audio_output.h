#pragma once

#include <cstdint>
#include <memory>

#include "platform/stream_format.h"

namespace strumwise::platform {

struct AudioBuffer {
    std::uint32_t numberChannels = 0;
    std::uint32_t dataByteSize = 0;
    void* data = nullptr;
};

struct AudioBufferList {
    std::uint32_t numberBuffers = 0;
    AudioBuffer* buffers = nullptr;
};

// Called on the audio render thread to fill `numberFrames` frames of every buffer in `ioData`.
// It must not allocate, lock, log or block. Answers a status, 0 for success.
using RenderCallback = std::int32_t (*)(void* context, std::uint32_t numberFrames,
                                        AudioBufferList& ioData);

// An output unit that pulls frames from a render callback while it runs. Configure it (format,
// callback), initialize it, then start and stop it as often as needed; all on the main thread.
// A platform whose device may take time to answer returns from initialize, start and stop at
// once and reports a failure later, through startFailed.
class AudioOutputUnit {
  public:
    virtual ~AudioOutputUnit() = default;
    virtual std::int32_t setStreamFormat(const StreamFormat& format) = 0;
    virtual std::int32_t setRenderCallback(RenderCallback callback, void* context) = 0;
    virtual std::int32_t initialize() = 0;
    virtual std::int32_t start() = 0;
    virtual std::int32_t stop() = 0;
    // Whether the last start has failed, or has not taken effect within a while and was given
    // up; a later start tries again and a stop clears it. Polled on the main thread.
    virtual bool startFailed() { return false; }
};

class AudioOutputUnitFactory {
  public:
    virtual ~AudioOutputUnitFactory() = default;
    // A new output unit; nullptr when the platform has none (reported once in the log).
    virtual std::unique_ptr<AudioOutputUnit> newOutputUnit() = 0;
};

}  // namespace strumwise::platform
