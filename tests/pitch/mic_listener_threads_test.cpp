// Run under ThreadSanitizer: the capture thread stores blocks while the main thread estimates,
// meters, pauses, stops and restarts the listener.

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

#include "pitch/fake_audio_input.h"
#include "pitch/mic_listener.h"
#include "pitch/test_signals.h"

namespace strumwise::pitch {
namespace {

using testing::FakeAudioInputQueue;
using testing::FakeAudioInputQueueFactory;
using testing::RecordingLog;

TEST(MicListenerThreads, CaptureRacesNeitherEstimatesNorQueueLifeCycle) {
    // Two blocks that only read right with their own length: a full D4, and a half-length A4
    // followed by a loud C3 that must never be analysed.
    const std::vector<std::int16_t> d4 = testing::harmonicTone(testing::binFrequency(685));
    std::vector<std::int16_t> a4 = testing::harmonicTone(testing::binFrequency(1027), 2048);
    const std::vector<std::int16_t> c3 = testing::harmonicTone(testing::binFrequency(305), 2048);
    a4.insert(a4.end(), c3.begin(), c3.end());
    const std::span<const std::uint8_t> fullD4 = testing::asBytes(d4);
    const std::span<const std::uint8_t> halfA4 = testing::asBytes(a4).first(4096);

    FakeAudioInputQueueFactory factory;
    factory.onCreate = [&](FakeAudioInputQueue& queue) {
        // Each queue's capture thread alternates between the two blocks.
        queue.startPump([&, next = false]() mutable {
            next = !next;
            return next ? fullD4 : halfA4;
        });
    };
    RecordingLog log;
    MicListener listener(factory, nullptr, log);

    const float d4Hz = listener.getFreqFromBuffer(d4.data(), 8192);
    const float a4Hz = listener.getFreqFromBuffer(a4.data(), 4096);
    ASSERT_NE(d4Hz, a4Hz);

    std::set<float> seen;
    for (int round = 0; round < 60; ++round) {
        listener.listen();
        // Let the capture thread deliver at least once per round (bounded, never timed).
        const int before = factory.records.back()->deliveries;
        for (int spin = 0; spin < 1'000'000 && factory.records.back()->deliveries == before;
             ++spin) {
            std::this_thread::yield();
        }
        for (int i = 0; i < 5; ++i) {
            const float hz = listener.frequency();
            if (hz != 0.0f) {
                seen.insert(hz);
            }
            EXPECT_TRUE(hz == 0.0f || hz == d4Hz || hz == a4Hz) << hz;
            EXPECT_GE(listener.averagePower(), 0.0f);
        }
        if (round % 3 == 0) {
            listener.pause();
        } else if (round % 3 == 1) {
            listener.stop();
        }
    }
    listener.stop();
    EXPECT_FALSE(seen.empty());
}

TEST(MicListenerThreads, SharedListenerIsOneObjectForEveryThread) {
    static FakeAudioInputQueueFactory factory;
    static RecordingLog log;
    MicListener::configureShared(factory, nullptr, log);

    std::atomic<MicListener*> fromThreads[4] = {};
    std::vector<std::thread> threads;
    for (auto& slot : fromThreads) {
        threads.emplace_back([&slot] { slot = &MicListener::sharedListener(); });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    for (const auto& slot : fromThreads) {
        EXPECT_EQ(slot.load(), &MicListener::sharedListener());
    }
}

}  // namespace
}  // namespace strumwise::pitch
