// The headless platform's virtual pieces: the run loop that stands in for the main thread's,
// the output unit that renders the tone as fast as virtual time runs, and the microphone that
// plays a file in blocks at the times a real one would hear them.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "adapters/headless/file_audio_input.h"
#include "adapters/headless/headless_log.h"
#include "adapters/headless/virtual_audio_output.h"
#include "adapters/headless/virtual_run_loop.h"

namespace strumwise::platform::headless {
namespace {

// Packed signed 16-bit samples at `rate`, `channels` to a frame.
StreamFormat pcm16(double rate, std::uint32_t channels) {
    const std::uint32_t bytes = 2 * channels;
    const auto flags = kFormatFlagIsSignedInteger | kFormatFlagIsPacked;
    return {rate, kFormatLinearPCM, flags, bytes, 1, bytes, channels, 16, 0};
}

class VirtualRunLoopTest : public ::testing::Test {
  protected:
    // A handler that notes its name and the time it ran at.
    std::function<void()> note(std::string name) {
        return [this, name] { ran.push_back(name + "@" + std::to_string(loop.now())); };
    }

    VirtualRunLoop loop;
    std::vector<std::string> ran;
};

TEST_F(VirtualRunLoopTest, RunsByDueTimeThenBySchedulingOrderUpToTheLimit) {
    loop.scheduleAt(300, note("c"));
    loop.scheduleAt(100, note("a"));
    const auto cancelled = loop.scheduleAt(100, note("cancelled"));
    loop.scheduleAt(300, note("d"));
    loop.scheduleAt(100, note("b"));
    loop.scheduleAt(1001, note("e"));
    loop.cancel(cancelled);
    loop.runUntil(1000);
    EXPECT_EQ(ran, (std::vector<std::string>{"a@100", "b@100", "c@300", "d@300"}));
    EXPECT_EQ(loop.now(), 1000);
    EXPECT_EQ(loop.nextDueTime(), 1001);
    loop.runUntil(50);  // never backwards
    EXPECT_EQ(loop.now(), 1000);
}

TEST_F(VirtualRunLoopTest, WorkScheduledInsideAHandlerJoinsTheOrder) {
    loop.scheduleAt(100, [this] {
        ran.push_back("outer");
        loop.postToMain(note("posted"));  // same time, after what is already due
        loop.performAfterDelay("later", 0.0002, note("delayed"));
    });
    loop.scheduleAt(100, note("sibling"));
    loop.scheduleAt(300, note("last"));
    loop.runUntil(1000);
    // "last" was scheduled before "delayed", so it runs first at the same time.
    EXPECT_EQ(ran, (std::vector<std::string>{"outer", "sibling@100", "posted@100", "last@300",
                                             "delayed@300"}));
}

TEST_F(VirtualRunLoopTest, TimerFiresEveryIntervalBeforeWorkItSchedulesUntilItsHandleIsGone) {
    std::unique_ptr<RunLoop::Timer> timer = loop.scheduleRepeatingTimer(0.1, [this] {
        ran.push_back("tick@" + std::to_string(loop.now()));
        loop.performAfterDelay("echo", 0.1, note("echo"));
    });
    loop.runUntil(350'000);
    EXPECT_EQ(ran, (std::vector<std::string>{"tick@100000", "tick@200000", "echo@200000",
                                             "tick@300000", "echo@300000"}));
    timer.reset();
    loop.runUntil(1'000'000);
    EXPECT_EQ(ran.size(), 6u);  // the last echo still runs
    EXPECT_EQ(loop.pendingCount(), 0u);
}

// Writes a running frame counter into both channels, so the sink can check continuity.
std::int32_t countFrames(void* context, std::uint32_t frames, AudioBufferList& list) {
    auto& counter = *static_cast<std::int16_t*>(context);
    auto* samples = static_cast<std::int16_t*>(list.buffers[0].data);
    for (std::uint32_t i = 0; i < frames; ++i) {
        samples[2 * i] = samples[2 * i + 1] = counter++;
    }
    return 0;
}

TEST(VirtualAudioOutput, RendersExactlyTheFramesOfTheTimeItRan) {
    VirtualRunLoop loop;
    VirtualAudioOutputUnitFactory factory(loop);
    std::vector<std::int16_t> written;
    factory.setFrameSink(
        [&](std::span<const std::int16_t> samples, std::uint32_t channels, double rate) {
            EXPECT_EQ(channels, 2u);
            EXPECT_EQ(rate, 44100.0);
            written.insert(written.end(), samples.begin(), samples.end());
        });
    std::int16_t counter = 0;
    auto unit = factory.newOutputUnit();
    ASSERT_EQ(unit->setStreamFormat(pcm16(44100.0, 2)), 0);
    ASSERT_EQ(unit->setRenderCallback(&countFrames, &counter), 0);
    ASSERT_EQ(unit->initialize(), 0);

    EXPECT_EQ(unit->start(), 0);
    loop.advanceBy(500'000);
    EXPECT_EQ(unit->stop(), 0);
    EXPECT_EQ(factory.framesRendered(), 22'050u);
    unit->start();
    loop.advanceBy(12'345);  // 544.4 frames: the whole ones are rendered by stop
    unit->stop();

    ASSERT_EQ(written.size(), 2u * (22'050 + 544));
    for (std::size_t i = 0; i < written.size() / 2; ++i) {
        ASSERT_EQ(written[2 * i], static_cast<std::int16_t>(i));
        ASSERT_EQ(written[2 * i + 1], written[2 * i]);
    }
    EXPECT_EQ(loop.pendingCount(), 0u);
}

// A block the queue delivered, or a piece its tap heard: when, how many bytes, first and last.
struct Delivery {
    Micros time;
    std::uint32_t bytes;
    std::int16_t first;
    std::int16_t last;
    bool operator==(const Delivery&) const = default;
    friend void PrintTo(const Delivery& d, std::ostream* out) {
        *out << d.time << " us: " << d.bytes << " bytes, " << d.first << " .. " << d.last;
    }
};

// Records every delivered block and re-enqueues the buffer, as the listener does, and every
// piece the tap hears.
struct Recorder {
    VirtualRunLoop* loop;
    std::vector<Delivery> deliveries;
    std::vector<Delivery> pieces;
    std::vector<Micros> times;  // of the deliveries
    bool requeue = true;

    static void callback(void* self, AudioInputQueue& queue, AudioQueueBuffer& buffer) {
        auto& recorder = *static_cast<Recorder*>(self);
        const auto* samples = static_cast<const std::int16_t*>(buffer.audioData);
        recorder.deliveries.push_back(
            {recorder.loop->now(), buffer.byteSize, samples[0], samples[buffer.byteSize / 2 - 1]});
        recorder.times.push_back(recorder.loop->now());
        if (recorder.requeue) {
            queue.enqueueBuffer(buffer);
        }
    }
    static void tap(void* self, const std::int16_t* samples, std::uint32_t count) {
        auto& recorder = *static_cast<Recorder*>(self);
        recorder.pieces.push_back(
            {recorder.loop->now(), count * 2, samples[0], samples[count - 1]});
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
        auto queue = factory.newInput(pcm16(14039.0, 1), &Recorder::callback, &recorder);
        for (int i = 0; i < buffers; ++i) {
            queue->enqueueBuffer(*queue->allocateBuffer(8192));
        }
        return queue;
    }

    VirtualRunLoop loop;
    HeadlessLog log;
    FileAudioInputQueueFactory factory{loop, log, nullptr};
    Recorder recorder{&loop, {}, {}, {}};
};

TEST_F(FileAudioInputTest, BlocksArriveWhenHeardThenSilenceForEver) {
    auto queue = makeQueue(3);
    queue->start();
    loop.runUntil(1'000'000);
    // Block i at (i + 1) x 4096 / 14039 s: 0.291759 s, 0.583517 s, 0.875276 s. The partial last
    // block is padded with silence, and after it there is only silence.
    EXPECT_EQ(recorder.deliveries, (std::vector<Delivery>{{291'759, 8192, 1, 4095 % 1000 + 1},
                                                          {583'517, 8192, 4096 % 1000 + 1, 0},
                                                          {875'276, 8192, 0, 0}}));
    // Deliveries never drift: block 10 000 is still on its exact time.
    EXPECT_EQ(FileAudioInputQueueFactory::blockTime(MicrophoneSignal{}, 9'999), 2'917'586'723);
}

TEST_F(FileAudioInputTest, ATapHearsEachPieceOf512SamplesWhenHeardWhileTheBlocksKeepTheirTimes) {
    auto queue = makeQueue(3);
    auto& pieces = recorder.pieces;
    ASSERT_TRUE(queue->setTap(&Recorder::tap, &recorder));
    queue->start();
    loop.runUntil(400'000);
    // Piece j at (j + 1) x 512 / 14039 s, from sample 512 j on: eight before the first block
    // is whole, the eighth at the block's own time; none is kept back for want of a buffer.
    ASSERT_EQ(pieces.size(), 10u);
    EXPECT_EQ(pieces[0].time, 36'470);
    EXPECT_EQ(pieces[7].time, 291'759);
    EXPECT_EQ(pieces[9].time, 364'698);
    for (std::size_t j = 0; j < pieces.size(); ++j) {
        EXPECT_EQ(pieces[j].bytes, 1024u);
        EXPECT_EQ(pieces[j].first, static_cast<std::int16_t>(512 * j % 1000 + 1)) << j;
    }
    EXPECT_EQ(recorder.times, std::vector<Micros>{291'759});
    // Stopped, it hears nothing; started again, it goes on from what is heard then.
    queue->stop();
    loop.runUntil(600'000);
    EXPECT_EQ(pieces.size(), 10u);
    queue->start();
    loop.runUntil(650'000);
    ASSERT_EQ(pieces.size(), 11u);
    EXPECT_EQ(pieces.back().time, 619'987);
    EXPECT_EQ(pieces.back().first, 0);  // past the signal's end: silence
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
    EXPECT_EQ(recorder.times, std::vector<Micros>{583'517});

    queue->enqueueBuffer(*queue->allocateBuffer(8192));
    queue->stop();
    loop.runUntil(1'200'000);  // block 3 at 1.167 s falls while stopped
    queue->start();
    loop.runUntil(1'500'000);  // block 4 at 1.459 s
    EXPECT_EQ(recorder.times, (std::vector<Micros>{583'517, 1'458'793}));
    // Destroying the queue cancels its deliveries.
    queue.reset();
    loop.runUntil(3'000'000);
    EXPECT_EQ(recorder.deliveries.size(), 2u);
    EXPECT_EQ(loop.pendingCount(), 0u);
}

}  // namespace
}  // namespace strumwise::platform::headless
