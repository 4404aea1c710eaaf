#include "adapters/desktop/audio/pulse_tone_stream.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/introspect.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "base/printable_text.h"

namespace strumwise::platform::desktop {
namespace {

constexpr std::uint32_t kBytesPerFrame = 4;
// A server that has not connected and set up the stream by then, both together, is as good as
// absent; the caller tries again later. It stays inside the 2 s a start is given.
constexpr auto kReadyLimit = std::chrono::milliseconds(1500);
constexpr auto kReadyPoll = std::chrono::milliseconds(5);
// The latency asked of the server, in milliseconds: what it keeps queued for the stream and its
// own device's buffer together, all of which is heard before a tone that starts now. Both
// PulseAudio and PipeWire's service keep about 50 ms of it in the device and grant the stream the
// other 70 ms, refilled in steps of kRefillMs: enough to ride out the stalls of a busy machine,
// which with 40 ms asked (20 to 30 ms queued) made the tone stutter (bench/fork_latency.py
// measures both).
constexpr std::uint32_t kQueuedMs = 120;
// Asked for, so that the server refills in small steps and the queue stays nearly full.
constexpr std::uint32_t kRefillMs = 10;

// The mainloop's lock, held by the threads other than the client library's own while they read
// or change the context and stream.
class LoopLock {
  public:
    explicit LoopLock(pa_threaded_mainloop* loop) : loop_(loop) { pa_threaded_mainloop_lock(loop); }
    ~LoopLock() { pa_threaded_mainloop_unlock(loop_); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

  private:
    pa_threaded_mainloop* loop_;
};

std::uint32_t bytesFor(std::uint32_t ms, std::uint32_t sampleRate) {
    return sampleRate * ms / 1000 * kBytesPerFrame;
}

}  // namespace

PulseToneStream::Outcome PulseToneStream::open(const std::string& device,
                                               std::uint32_t sampleRate) {
    close();
    error_.clear();
    const auto deadline = std::chrono::steady_clock::now() + kReadyLimit;
    client_.emplace("Strumwise");
    if (!client_->made()) {
        close();
        error_ = "the sound server's client library could not start";
        return Outcome::Failed;
    }
    if (!client_->connect() || !awaitReady(false, deadline)) {
        close();
        return Outcome::NoServer;
    }
    // PipeWire's service takes a stream for a device it does not have and plays it elsewhere, or
    // nowhere; asked first, both servers answer alike.
    if (!device.empty() && !hasSink(device, deadline)) {
        close();
        error_ = "the sound server has no output device \"" + printableText(device) + "\"";
        return Outcome::Failed;
    }
    const pa_sample_spec format{PA_SAMPLE_S16LE, sampleRate, 2};
    pa_buffer_attr buffer{};
    buffer.maxlength = static_cast<std::uint32_t>(-1);
    buffer.tlength = bytesFor(kQueuedMs, sampleRate);
    // Never waiting for a full buffer, the stream starts at once and plays on through an
    // underrun instead of pausing until the buffer has filled again.
    buffer.prebuf = 0;
    buffer.minreq = bytesFor(kRefillMs, sampleRate);
    buffer.fragsize = static_cast<std::uint32_t>(-1);
    bool connected = false;
    {
        const LoopLock lock(client_->loop());
        stream_ = pa_stream_new(client_->context(), "Reference tones", &format, nullptr);
        if (stream_ != nullptr) {
            pa_stream_set_write_callback(stream_, &PulseToneStream::onWritable, this);
            // The server shortens its own device latency to match, so that what it has queued
            // is what is heard before a new tone.
            connected = pa_stream_connect_playback(
                            stream_, device.empty() ? nullptr : device.c_str(), &buffer,
                            PA_STREAM_ADJUST_LATENCY, nullptr, nullptr) == 0;
        }
    }
    if (!connected || !awaitReady(true, deadline)) {
        int code = PA_ERR_UNKNOWN;
        {
            const LoopLock lock(client_->loop());
            code = pa_context_errno(client_->context());
        }
        if (code == PA_ERR_NOENTITY && !device.empty()) {
            error_ = "the sound server has no output device \"" + printableText(device) + "\"";
        } else if (code == PA_OK) {
            // Nothing refused, nothing ready: a server whose session manager is not running
            // (PipeWire without WirePlumber) takes the stream and never links it to a device.
            error_ = "the sound server took the stream but did not start it within 1.5 s";
        } else {
            error_ = std::string("the sound server refused the stream: ") + pa_strerror(code);
        }
        close();
        return Outcome::Failed;
    }
    {
        const LoopLock lock(client_->loop());
        playing_ = true;
        pa_context_set_state_callback(client_->context(), &PulseToneStream::onContextState, this);
        pa_stream_set_state_callback(stream_, &PulseToneStream::onStreamState, this);
        // A change the callbacks were set too late to see.
        onContextState(client_->context(), this);
        onStreamState(stream_, this);
    }
    return Outcome::Playing;
}

// Whether the server lists a sink named `device`; a server that does not say by the deadline
// counts as having none.
bool PulseToneStream::hasSink(const std::string& device,
                              std::chrono::steady_clock::time_point deadline) {
    // -1 while the answer is pending; written on the library's thread.
    std::atomic<int> found = -1;
    const auto answered = [](pa_context*, const pa_sink_info* info, int last, void* answer) {
        auto& sink = *static_cast<std::atomic<int>*>(answer);
        if (info != nullptr) {
            sink = 1;
        } else if (last != 0 && sink.load() < 0) {
            sink = 0;
        }
    };
    pa_operation* asking = nullptr;
    {
        const LoopLock lock(client_->loop());
        asking =
            pa_context_get_sink_info_by_name(client_->context(), device.c_str(), answered, &found);
    }
    while (asking != nullptr && found.load() < 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(kReadyPoll);
    }
    if (asking != nullptr) {
        // Cancelled under the lock, no answer comes once `found` has gone.
        const LoopLock lock(client_->loop());
        pa_operation_cancel(asking);
        pa_operation_unref(asking);
    }
    return found.load() == 1;
}

// Polls rather than waits on the loop's signal, so that a server that never answers costs the
// caller its limit and no more.
bool PulseToneStream::awaitReady(bool stream, std::chrono::steady_clock::time_point deadline) {
    while (std::chrono::steady_clock::now() < deadline) {
        {
            const LoopLock lock(client_->loop());
            const pa_context_state_t state = pa_context_get_state(client_->context());
            if (!PA_CONTEXT_IS_GOOD(state)) {
                return false;
            }
            if (state == PA_CONTEXT_READY) {
                if (!stream) {
                    return true;
                }
                const pa_stream_state_t streamState = pa_stream_get_state(stream_);
                if (streamState == PA_STREAM_READY) {
                    return true;
                }
                if (!PA_STREAM_IS_GOOD(streamState)) {
                    return false;
                }
            }
        }
        std::this_thread::sleep_for(kReadyPoll);
    }
    return false;
}

// The client library's thread: a server that goes away, or drops the stream, ends the playing.
void PulseToneStream::onContextState(pa_context* context, void* self) {
    if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context))) {
        static_cast<PulseToneStream*>(self)->playing_ = false;
    }
}

void PulseToneStream::onStreamState(pa_stream* stream, void* self) {
    if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream))) {
        static_cast<PulseToneStream*>(self)->playing_ = false;
    }
}

std::optional<PulseToneStream::Queue> PulseToneStream::queue() const {
    if (stream_ == nullptr) {
        return std::nullopt;
    }
    const LoopLock lock(client_->loop());
    const pa_buffer_attr* granted = pa_stream_get_buffer_attr(stream_);
    const pa_sample_spec* format = pa_stream_get_sample_spec(stream_);
    if (granted == nullptr || format == nullptr) {
        return std::nullopt;
    }
    const auto ms = [&](std::uint32_t bytes) {
        return static_cast<std::uint32_t>(pa_bytes_to_usec(bytes, format) / 1000);
    };
    return Queue{ms(granted->tlength), ms(granted->prebuf)};
}

void PulseToneStream::close() {
    playing_ = false;
    if (client_) {
        // Stopping waits for the library's thread, so no fill runs after this.
        client_->stop();
    }
    if (stream_ != nullptr) {
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    client_.reset();
}

// The client library's thread, as the server asks for more: the frames are written straight
// into the library's shared-memory block, which it hands to the server without a copy.
void PulseToneStream::onWritable(pa_stream* stream, std::size_t bytes, void* self) {
    auto& tones = *static_cast<PulseToneStream*>(self);
    while (bytes >= kBytesPerFrame) {
        void* data = nullptr;
        std::size_t size = bytes;
        if (pa_stream_begin_write(stream, &data, &size) < 0 || data == nullptr) {
            return;
        }
        const auto frames = static_cast<std::uint32_t>(std::min(size, bytes) / kBytesPerFrame);
        if (frames == 0) {
            pa_stream_cancel_write(stream);
            return;
        }
        tones.fill_(tones.fillContext_, static_cast<std::int16_t*>(data), frames);
        if (pa_stream_write(stream, data, std::size_t{frames} * kBytesPerFrame, nullptr, 0,
                            PA_SEEK_RELATIVE) < 0) {
            return;
        }
        bytes -= std::size_t{frames} * kBytesPerFrame;
    }
}

}  // namespace strumwise::platform::desktop
