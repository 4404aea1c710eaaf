#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "adapters/headless/virtual_run_loop.h"
#include "platform/audio_output.h"

namespace strumwise::platform::headless {

// Output units that play on the virtual clock: while a unit runs, it pulls frames from its
// render callback as a sound card would, at the stream format's rate, in pulls every 10 ms of
// virtual time, and hands every rendered frame to the factory's frame sink (for example a WAV
// writer). What the sink receives is exactly what was rendered while started, run after run.
//
// Only interleaved signed 16-bit linear PCM is accepted; other formats answer kFormatError.
class VirtualAudioOutputUnitFactory final : public AudioOutputUnitFactory {
  public:
    static constexpr std::int32_t kFormatError = -50;
    static constexpr std::int32_t kNotReadyError = -10867;
    static constexpr Micros kPullInterval = 10'000;

    // Interleaved samples of `channels` channels at `sampleRate`.
    using FrameSink = std::function<void(std::span<const std::int16_t> interleaved,
                                         std::uint32_t channels, double sampleRate)>;

    explicit VirtualAudioOutputUnitFactory(VirtualRunLoop& runLoop) : runLoop_(runLoop) {}

    // Receives the frames every unit of this factory renders from now on; called on the main
    // thread.
    void setFrameSink(FrameSink sink) { *sink_ = std::move(sink); }

    std::unique_ptr<AudioOutputUnit> newOutputUnit() override;

    // Frames rendered so far by all units of this factory.
    std::uint64_t framesRendered() const { return *framesRendered_; }

  private:
    VirtualRunLoop& runLoop_;
    std::shared_ptr<FrameSink> sink_ = std::make_shared<FrameSink>();
    std::shared_ptr<std::uint64_t> framesRendered_ = std::make_shared<std::uint64_t>(0);
};

}  // namespace strumwise::platform::headless
