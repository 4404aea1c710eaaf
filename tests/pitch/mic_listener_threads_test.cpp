// Run under ThreadSanitizer: the capture thread stores blocks (and, half of the time, hands its
// pieces to the tap) while the main thread estimates, reads the note, meters, pauses, stops and
// restarts the listener.

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

#include "adapters/headless/headless_log.h"
#include "pitch/fake_audio_input.h"
#include "pitch/mic_listener.h"
#include "support/test_signals.h"

namespace strumwise::pitch {
namespace {

using testing::FakeAudioInputQueueFactory;

TEST(MicListenerThreads, CaptureRacesNeitherEstimatesNorQueueLifeCycle) {
    // Two blocks that only read right with their own length: a full D4, and a half-length A4
    // followed by a loud C3 that must never be analysed.
    const auto d4 = testing::tone(testing::binFrequency(685));
    auto a4 = testing::tone(testing::binFrequency(1027), 8000.0, {1.0, 0.5, 1.0 / 3.0}, 2048);
    const auto c3 = testing::tone(testing::binFrequency(305));
    a4.insert(a4.end(), c3.begin(), c3.begin() + 2048);

    FakeAudioInputQueueFactory factory;
    factory.onCreate = [&](testing::FakeAudioInputQueue& queue) {
        // Each queue's capture thread alternates between the two blocks, and every other queue
        // hands the tap each block's first half before the block.
        factory.offerTaps = !factory.offerTaps;
        queue.startPump([&, next = false]() mutable {
            next = !next;
            if (queue.offersTap) {
                queue.tapPiece(std::span(next ? d4 : a4).first(2048));
            }
            return next ? testing::asBytes(d4) : testing::asBytes(a4).first(4096);
        });
    };
    platform::headless::HeadlessLog log;
    MicListener listener(factory, nullptr, log);
    const float d4Hz = listener.getFreqFromBuffer(d4.data(), 8192);
    const float a4Hz = listener.getFreqFromBuffer(a4.data(), 4096);
    ASSERT_NE(d4Hz, a4Hz);

    std::set<float> seen;
    for (int round = 0; round < 60; ++round) {
        listener.listen();
        // Let the capture thread deliver at least once per round (bounded, never timed).
        const int before = factory.deliveries;
        for (int spin = 0; spin < 1'000'000 && factory.deliveries == before; ++spin) {
            std::this_thread::yield();
        }
        for (int i = 0; i < 5; ++i) {
            const float hz = listener.frequency();
            EXPECT_TRUE(hz == 0.0f || hz == d4Hz || hz == a4Hz) << hz;
            EXPECT_GE(listener.averagePower(), 0.0f);
            const NoteReading reading = listener.noteReading();
            EXPECT_TRUE(!reading.note() || reading.hertz > 0.0);
            seen.insert(hz);
        }
        if (round % 3 == 0) {
            listener.pause();
        } else if (round % 3 == 1) {
            listener.stop();
        }
    }
    listener.stop();
    seen.erase(0.0f);
    EXPECT_FALSE(seen.empty());
}

}  // namespace
}  // namespace strumwise::pitch
