#include "adapters/headless/file_audio_input.h"

#include <gtest/gtest.h>

#include <vector>

#include "adapters/headless/headless_log.h"

namespace strumwise::platform::headless {
namespace {

StreamFormat captureFormat() {
    return StreamFormat{
        14039.0, kFormatLinearPCM, kFormatFlagIsSignedInteger | kFormatFlagIsPacked, 2, 1, 2, 1, 16,
        0};
}

struct Delivery {
    Micros time;
    std::uint32_t bytes;
    std::int16_t first;
    std::int16_t last;
};

// Records every delivered block and re-enqueues the buffer, as the listener does.
struct Recorder {
    VirtualRunLoop* loop;
    std::vector<Delivery> deliveries;
    bool requeue = true;

    static void callback(void* self, AudioInputQueue& queue, AudioQueueBuffer& buffer) {
        auto& recorder = *static_cast<Recorder*>(self);
        const auto* samples = static_cast<const std::int16_t*>(buffer.audioData);
        recorder.deliveries.push_back(
            {recorder.loop->now(), buffer.byteSize, samples[0], samples[buffer.byteSize / 2 - 1]});
        if (recorder.requeue) {
            queue.enqueueBuffer(buffer);
        }
    }
};

class FileAudioInputTest : public ::testing::Test {
  protected:
    // 1.5 blocks: sample k of the signal is k % 1000 + 1 (never 0, so silence is obvious).
    FileAudioInputTest() {
        auto signal = std::make_shared<MicrophoneSignal>();
        for (int k = 0; k < 4096 + 2048; ++k) {
            signal->samples.push_back(static_cast<std::int16_t>(k % 1000 + 1));
        }
        factory.setSignal(std::move(signal));
    }

    std::unique_ptr<AudioInputQueue> makeQueue(int buffers) {
        auto queue = factory.newInput(captureFormat(), &Recorder::callback, &recorder);
        for (int i = 0; i < buffers; ++i) {
            queue->enqueueBuffer(*queue->allocateBuffer(8192));
        }
        return queue;
    }

    VirtualRunLoop loop;
    HeadlessLog log;
    FileAudioInputQueueFactory factory{loop, log, nullptr};
    Recorder recorder{&loop, {}};
};

TEST_F(FileAudioInputTest, BlocksArriveWhenHeardThenSilenceForEver) {
    auto queue = makeQueue(3);
    queue->start();
    loop.runUntil(1'000'000);
    // Block i at (i + 1) x 4096 / 14039 s: 0.291759 s, 0.583517 s, 0.875276 s.
    ASSERT_EQ(recorder.deliveries.size(), 3u);
    EXPECT_EQ(recorder.deliveries[0].time, 291'759);
    EXPECT_EQ(recorder.deliveries[1].time, 583'517);
    EXPECT_EQ(recorder.deliveries[2].time, 875'276);
    for (const auto& delivery : recorder.deliveries) {
        EXPECT_EQ(delivery.bytes, 8192u);
    }
    EXPECT_EQ(recorder.deliveries[0].first, 1);
    EXPECT_EQ(recorder.deliveries[0].last, 4095 % 1000 + 1);
    // The partial last block is padded with silence, and after it there is only silence.
    EXPECT_EQ(recorder.deliveries[1].first, 4096 % 1000 + 1);
    EXPECT_EQ(recorder.deliveries[1].last, 0);
    EXPECT_EQ(recorder.deliveries[2].first, 0);
    // Deliveries never drift: block 10 000 is still on its exact time.
    EXPECT_EQ(FileAudioInputQueueFactory::blockTime(MicrophoneSignal{}, 9'999), 2'917'586'723);
}

// Every piece the tap hears, with when.
struct Tap {
    VirtualRunLoop* loop;
    std::vector<Delivery> pieces;
    static void callback(void* self, const std::int16_t* samples, std::uint32_t count) {
        auto& tap = *static_cast<Tap*>(self);
        tap.pieces.push_back({tap.loop->now(), count * 2, samples[0], samples[count - 1]});
    }
};

TEST_F(FileAudioInputTest, ATapHearsEachPieceOf512SamplesWhenHeardWhileTheBlocksKeepTheirTimes) {
    auto queue = makeQueue(3);
    Tap tap{&loop, {}};
    ASSERT_TRUE(queue->setTap(&Tap::callback, &tap));
    queue->start();
    loop.runUntil(400'000);
    // Piece j at (j + 1) x 512 / 14039 s, from sample 512 j on: eight before the first block
    // is whole, the eighth at the block's own time; none is kept back for want of a buffer.
    ASSERT_EQ(tap.pieces.size(), 10u);
    EXPECT_EQ(tap.pieces[0].time, 36'470);
    EXPECT_EQ(tap.pieces[7].time, 291'759);
    EXPECT_EQ(tap.pieces[9].time, 364'698);
    for (std::size_t j = 0; j < tap.pieces.size(); ++j) {
        EXPECT_EQ(tap.pieces[j].bytes, 1024u);
        EXPECT_EQ(tap.pieces[j].first, static_cast<std::int16_t>(512 * j % 1000 + 1)) << j;
    }
    ASSERT_EQ(recorder.deliveries.size(), 1u);
    EXPECT_EQ(recorder.deliveries[0].time, 291'759);
    // Stopped, it hears nothing; started again, it goes on from what is heard then.
    queue->stop();
    loop.runUntil(600'000);
    EXPECT_EQ(tap.pieces.size(), 10u);
    queue->start();
    loop.runUntil(650'000);
    ASSERT_EQ(tap.pieces.size(), 11u);
    EXPECT_EQ(tap.pieces.back().time, 619'987);
    EXPECT_EQ(tap.pieces.back().first, 0);  // past the signal's end: silence
}

TEST_F(FileAudioInputTest, BlocksAreLostWhileStoppedWithoutABufferOrAfterTheQueueIsGone) {
    recorder.requeue = false;
    auto queue = makeQueue(1);
    EXPECT_EQ(queue->isRunning(), false);
    loop.runUntil(400'000);  // not started: block 0 is missed
    EXPECT_TRUE(recorder.deliveries.empty());

    queue->start();
    EXPECT_EQ(queue->isRunning(), true);
    loop.runUntil(1'000'000);
    // Block 1 takes the only buffer, which is not re-enqueued, so block 2 is lost.
    ASSERT_EQ(recorder.deliveries.size(), 1u);
    EXPECT_EQ(recorder.deliveries[0].time, 583'517);

    queue->enqueueBuffer(*queue->allocateBuffer(8192));
    queue->stop();
    loop.runUntil(1'200'000);  // block 3 at 1.167 s falls while stopped
    queue->start();
    loop.runUntil(1'500'000);  // block 4 at 1.459 s
    ASSERT_EQ(recorder.deliveries.size(), 2u);
    EXPECT_EQ(recorder.deliveries[1].time, 1'458'793);
    // Destroying the queue cancels its deliveries.
    queue.reset();
    loop.runUntil(3'000'000);
    EXPECT_EQ(recorder.deliveries.size(), 2u);
    EXPECT_EQ(loop.pendingCount(), 0u);
}

}  // namespace
}  // namespace strumwise::platform::headless
