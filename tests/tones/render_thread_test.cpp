#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

#include "tones/fork_buttons.h"

namespace strumwise::tones {
namespace {

// An output unit that, while started, pulls 256-frame buffers from its render callback on a
// thread of its own, as a platform's audio thread would, and keeps the loudest sample.
struct ThreadedUnit : platform::AudioOutputUnit {
    platform::RenderCallback callback = nullptr;
    void* context = nullptr;
    std::atomic<bool> running{false};
    std::atomic<int> peak{0};
    std::thread thread;

    ~ThreadedUnit() override { stop(); }
    std::int32_t setStreamFormat(const platform::StreamFormat&) override { return 0; }
    std::int32_t setRenderCallback(platform::RenderCallback cb, void* ctx) override {
        callback = cb;
        context = ctx;
        return 0;
    }
    std::int32_t initialize() override { return 0; }
    std::int32_t start() override {
        if (!thread.joinable()) {
            running = true;
            thread = std::thread([this] {
                std::vector<std::int16_t> frames(512);
                platform::AudioBuffer buffer{2, 1024, frames.data()};
                platform::AudioBufferList list{1, &buffer};
                do {  // at least one buffer per start, however soon the stop comes
                    callback(context, 256, list);
                    for (const std::int16_t s : frames) {
                        peak = std::max(peak.load(), std::abs(static_cast<int>(s)));
                    }
                } while (running);
            });
        }
        return 0;
    }
    std::int32_t stop() override {
        running = false;
        if (thread.joinable()) {
            thread.join();
        }
        return 0;
    }
};

struct ThreadedFactory : platform::AudioOutputUnitFactory {
    ThreadedUnit* unit = nullptr;
    std::unique_ptr<platform::AudioOutputUnit> newOutputUnit() override {
        auto made = std::make_unique<ThreadedUnit>();
        unit = made.get();
        return made;
    }
};

// The main thread presses fork buttons, changes the wave and stops while the render thread
// plays: ThreadSanitizer checks that the frequency and the selector are the only contact.
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
    EXPECT_GT(factory.unit->peak.load(), 0);
    EXPECT_LE(factory.unit->peak.load(), kToneCeiling);
}

}  // namespace
}  // namespace strumwise::tones
