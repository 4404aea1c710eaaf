#include "adapters/headless/virtual_audio_output.h"

#include <cmath>
#include <vector>

namespace strumwise::platform::headless {
namespace {

constexpr std::uint32_t kChunkFrames = 512;

class VirtualAudioOutputUnit final : public AudioOutputUnit {
  public:
    using FrameSink = VirtualAudioOutputUnitFactory::FrameSink;

    VirtualAudioOutputUnit(VirtualRunLoop& runLoop, std::shared_ptr<FrameSink> sink,
                           std::shared_ptr<std::uint64_t> framesRendered)
        : runLoop_(runLoop), sink_(std::move(sink)), framesRendered_(std::move(framesRendered)) {}

    ~VirtualAudioOutputUnit() override { runLoop_.cancel(pending_); }

    std::int32_t setStreamFormat(const StreamFormat& format) override {
        const bool supported = format.formatID == kFormatLinearPCM && format.sampleRate > 0.0 &&
                               (format.formatFlags & kFormatFlagIsSignedInteger) != 0 &&
                               format.bitsPerChannel == 16 && format.channelsPerFrame > 0 &&
                               format.bytesPerFrame == 2 * format.channelsPerFrame;
        if (!supported) {
            return VirtualAudioOutputUnitFactory::kFormatError;
        }
        format_ = format;
        return 0;
    }

    std::int32_t setRenderCallback(RenderCallback callback, void* context) override {
        callback_ = callback;
        context_ = context;
        return 0;
    }

    std::int32_t initialize() override {
        if (format_.sampleRate <= 0.0) {
            return VirtualAudioOutputUnitFactory::kNotReadyError;
        }
        // All the memory the pulls need, so that rendering allocates nothing.
        samples_.assign(std::size_t{kChunkFrames} * format_.channelsPerFrame, 0);
        initialized_ = true;
        return 0;
    }

    std::int32_t start() override {
        if (!initialized_ || callback_ == nullptr) {
            return VirtualAudioOutputUnitFactory::kNotReadyError;
        }
        if (running_) {
            return 0;
        }
        running_ = true;
        startTime_ = runLoop_.now();
        framesThisRun_ = 0;
        schedulePull();
        return 0;
    }

    std::int32_t stop() override {
        if (!running_) {
            return 0;
        }
        pull();
        running_ = false;
        runLoop_.cancel(pending_);
        pending_ = 0;
        return 0;
    }

  private:
    void schedulePull() {
        pending_ = runLoop_.scheduleAfter(VirtualAudioOutputUnitFactory::kPullInterval, [this] {
            pending_ = 0;
            pull();
            if (running_) {
                schedulePull();
            }
        });
    }

    // Renders every frame due between the start of this run and now.
    void pull() {
        const long double elapsed =
            static_cast<long double>(runLoop_.now() - startTime_) / kMicrosPerSecond;
        const auto due = static_cast<std::uint64_t>(std::floor(elapsed * format_.sampleRate));
        while (running_ && framesThisRun_ < due) {
            const auto frames = static_cast<std::uint32_t>(
                std::min<std::uint64_t>(kChunkFrames, due - framesThisRun_));
            AudioBuffer buffer{format_.channelsPerFrame, frames * format_.bytesPerFrame,
                               samples_.data()};
            AudioBufferList list{1, &buffer};
            callback_(context_, frames, list);
            if (*sink_) {
                (*sink_)(std::span<const std::int16_t>(
                             samples_.data(), std::size_t{frames} * format_.channelsPerFrame),
                         format_.channelsPerFrame, format_.sampleRate);
            }
            framesThisRun_ += frames;
            *framesRendered_ += frames;
        }
    }

    VirtualRunLoop& runLoop_;
    std::shared_ptr<FrameSink> sink_;
    std::shared_ptr<std::uint64_t> framesRendered_;
    StreamFormat format_;
    RenderCallback callback_ = nullptr;
    void* context_ = nullptr;
    std::vector<std::int16_t> samples_;
    bool initialized_ = false;
    bool running_ = false;
    Micros startTime_ = 0;
    std::uint64_t framesThisRun_ = 0;
    VirtualRunLoop::EventId pending_ = 0;
};

}  // namespace

std::unique_ptr<AudioOutputUnit> VirtualAudioOutputUnitFactory::newOutputUnit() {
    return std::make_unique<VirtualAudioOutputUnit>(runLoop_, sink_, framesRendered_);
}

}  // namespace strumwise::platform::headless
