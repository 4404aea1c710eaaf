#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

#include "tones/fakes.h"
#include "tones/fork_buttons.h"

namespace strumwise::tones {
namespace {

// The main thread presses fork buttons, changes the wave and stops while a render thread pulls
// buffers from the installed callback: ThreadSanitizer checks that the frequency and the selector
// are the only contact.
TEST(ToneRenderThread, ForkPressesWhileRenderingShareOnlyTheAtomics) {
    tuner::TunerState tuner;
    ToneGenerator generator;
    testing::FakeFactory factory;
    ToneUnit unit(factory, generator);
    unit.setupAudio();
    ForkButtons forks(view::Outlets{}, tuner, generator, unit);

    std::atomic<bool> running{true};
    int peak = 0;
    std::thread render([&] {
        std::vector<std::int16_t> frames(512);
        platform::AudioBuffer buffer{2, 1024, frames.data()};
        platform::AudioBufferList list{1, &buffer};
        do {  // at least one buffer, however soon the main thread finishes
            factory.callback(factory.context, 256, list);
            for (const std::int16_t s : frames) {
                peak = std::max(peak, std::abs(static_cast<int>(s)));
            }
        } while (running);
    });
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
    running = false;
    render.join();
    EXPECT_GT(peak, 0);
    EXPECT_LE(peak, kToneCeiling);
}

}  // namespace
}  // namespace strumwise::tones
