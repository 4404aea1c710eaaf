#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "tones/fork_buttons.h"

namespace strumwise::tones {
namespace {

// An output unit that, while started, pulls 256-frame buffers from its render callback on a
// thread of its own, as a platform's audio thread would, and remembers the loudest sample.
class ThreadedOutputUnit : public platform::AudioOutputUnit {
  public:
    explicit ThreadedOutputUnit(std::atomic<int>& peak) : peak_(peak) {}
    ~ThreadedOutputUnit() override { stop(); }

    std::int32_t setStreamFormat(const platform::StreamFormat&) override { return 0; }
    std::int32_t setRenderCallback(platform::RenderCallback callback, void* context) override {
        callback_ = callback;
        context_ = context;
        return 0;
    }
    std::int32_t initialize() override { return 0; }
    std::int32_t start() override {
        if (!thread_.joinable()) {
            running_ = true;
            thread_ = std::thread([this] { renderLoop(); });
        }
        return 0;
    }
    std::int32_t stop() override {
        running_ = false;
        if (thread_.joinable()) {
            thread_.join();
        }
        return 0;
    }

  private:
    void renderLoop() {
        std::vector<std::int16_t> frames(512);
        platform::AudioBuffer buffer{2, 1024, frames.data()};
        platform::AudioBufferList list{1, &buffer};
        // At least one buffer per start, however soon the stop comes.
        do {
            callback_(context_, 256, list);
            for (const std::int16_t s : frames) {
                peak_ = std::max(peak_.load(), std::abs(static_cast<int>(s)));
            }
        } while (running_);
    }

    std::atomic<int>& peak_;
    std::atomic<bool> running_{false};
    platform::RenderCallback callback_ = nullptr;
    void* context_ = nullptr;
    std::thread thread_;
};

class ThreadedFactory : public platform::AudioOutputUnitFactory {
  public:
    std::atomic<int> peak{0};
    std::unique_ptr<platform::AudioOutputUnit> newOutputUnit() override {
        return std::make_unique<ThreadedOutputUnit>(peak);
    }
};

// The main thread presses fork buttons, changes the wave and stops while the render thread
// plays: ThreadSanitizer checks that the shared frequency and selector are the only contact.
TEST(ToneRenderThread, ForkPressesWhileRenderingShareOnlyTheAtomics) {
    tuner::TunerState tuner;
    ToneGenerator generator;
    ThreadedFactory factory;
    ToneUnit unit(factory, generator);
    unit.setupAudio();
    ForkButtons forks(screen::Outlets{}, tuner, generator, unit);

    for (int round = 0; round < 20; ++round) {
        tuner.tuningIndex = 1 + static_cast<std::uint64_t>(round % 4);
        generator.setCurTone(static_cast<std::uint64_t>(round % 5));
        for (int press = 0; press < 200; ++press) {
            forks.play(1 + press % 5);
        }
        if (round % 3 == 0) {
            forks.stopFreqPlay();
        }
    }
    forks.stopFreqPlay();
    EXPECT_FALSE(unit.isPlaying());
    EXPECT_GT(factory.peak.load(), 0);
    EXPECT_LE(factory.peak.load(), kToneCeiling);
}

}  // namespace
}  // namespace strumwise::tones
