#pragma once

#include <memory>
#include <optional>

#include "adapters/desktop/audio/audio_device_target.h"
#include "platform/audio_input.h"
#include "platform/log.h"

namespace strumwise::platform::desktop {

struct PortAudioCaptureOptions {
    // Resolved each time the input opens; the default input device when empty.
    AudioDeviceTarget device;
    // Opens the device at its default rate and resamples even when it accepts the requested
    // rate, as a device that does not accept it would be handled.
    bool alwaysResample = false;
};

// Audio input queues on a PortAudio input device. Each queue captures on a thread of its own
// with blocking reads of 4096 frames, fills the oldest enqueued buffer with a whole buffer's
// worth of samples and hands it to the input callback on that thread, as the platform's audio
// queue does. The device is opened at the requested rate when it accepts it, and otherwise at
// its own default rate with a streaming libsoxr resampler to the requested rate. The meter
// reads the RMS and peak of the latest filled buffer.
//
// Every PortAudio call that can wait on the sound server (open, start, read, stop, close) runs
// on the capture thread, never on the caller's. A read that fails, or a call that has not
// returned within 2 s, counts as a lost input: the queue logs it once, reports reconnecting(),
// and opens the input again every 2 s until capture resumes, without the caller's help.
class PortAudioInputQueueFactory : public AudioInputQueueFactory {
  public:
    // `log` outlives the factory and every queue it makes.
    explicit PortAudioInputQueueFactory(Log& log, PortAudioCaptureOptions options = {})
        : log_(log), options_(options) {}

    // Only signed 16-bit mono linear PCM is captured. nullptr, with one log line saying why,
    // when PortAudio cannot start or a device PortAudio lists is not there. A device that cannot
    // be opened, or a sound server that is not there yet, is logged by the queue, which keeps
    // trying.
    std::unique_ptr<AudioInputQueue> newInput(const StreamFormat& format,
                                              AudioInputCallback callback, void* userData) override;

    // The device of the queues made from now on; empty: the default input device.
    void setDevice(AudioDeviceTarget device) { options_.device = std::move(device); }

  private:
    Log& log_;
    PortAudioCaptureOptions options_;
};

}  // namespace strumwise::platform::desktop
