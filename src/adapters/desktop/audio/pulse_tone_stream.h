#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "adapters/desktop/audio/sound_server_client.h"

struct pa_context;
struct pa_stream;

namespace strumwise::platform::desktop {

// A playback stream of signed 16-bit stereo frames on a device of the sound server (PulseAudio,
// or PipeWire's PulseAudio service), through the server's own client library rather than ALSA's
// plug-in. It keeps a short buffer, so that a tone is heard at once, and keeps playing through
// an underrun: a late refill costs that moment's sound, never the stream. `fill` writes the
// frames the server asks for, on the client library's thread, which is the stream's audio thread.
class PulseToneStream {
  public:
    using Fill = void (*)(void* context, std::int16_t* frames, std::uint32_t frameCount);

    PulseToneStream(Fill fill, void* context) : fill_(fill), fillContext_(context) {}
    ~PulseToneStream() { close(); }
    PulseToneStream(const PulseToneStream&) = delete;
    PulseToneStream& operator=(const PulseToneStream&) = delete;

    enum class Outcome { Playing, NoServer, Failed };
    // Connects to the server the process would connect to (PULSE_SERVER, or the session's) and
    // starts playing on `device`, the server's name of a sink, or its default sink when empty.
    // Blocks for at most about 1.5 s. On Failed, error() says why in a few words; NoServer means
    // no server answered at all, so the caller may play without one.
    Outcome open(const std::string& device, std::uint32_t sampleRate);
    // Whether the last open succeeded and no close has come since; the opening thread only.
    bool opened() const { return stream_ != nullptr; }
    // Whether the stream still plays: false once the server has gone or dropped the stream. Read
    // without the client library's lock, which its audio thread holds while it fills.
    bool playing() const { return playing_.load(); }
    void close();

    const std::string& error() const { return error_; }

    // What the server granted a stream that plays, in milliseconds: how much sound it keeps
    // queued, and how much it waits to have before it plays, at the start or after an underrun.
    struct Queue {
        std::uint32_t queuedMs = 0;
        std::uint32_t prebufferMs = 0;
    };
    std::optional<Queue> queue() const;

  private:
    bool awaitReady(bool stream, std::chrono::steady_clock::time_point deadline);
    bool hasSink(const std::string& device, std::chrono::steady_clock::time_point deadline);
    static void onWritable(pa_stream* stream, std::size_t bytes, void* self);
    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);

    const Fill fill_;
    void* const fillContext_;
    std::optional<SoundServerClient> client_;
    pa_stream* stream_ = nullptr;
    std::string error_;
    std::atomic<bool> playing_ = false;
};

}  // namespace strumwise::platform::desktop
