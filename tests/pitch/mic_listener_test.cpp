#include "pitch/mic_listener.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapters/headless/headless_audio_session.h"
#include "adapters/headless/headless_log.h"
#include "base/level_meter.h"
#include "pitch/fake_audio_input.h"
#include "support/test_signals.h"

namespace strumwise::pitch {
namespace {

using platform::headless::HeadlessAudioSession;
using platform::headless::HeadlessLog;
using ::testing::ElementsAre;
using testing::FakeAudioInputQueueFactory;

constexpr float kD4 = 293.4788513f;  // bin 685
constexpr float kA4 = 440.0040588f;  // bin 1027

class MicListenerTest : public ::testing::Test {
  protected:
    FakeAudioInputQueueFactory factory;
    HeadlessAudioSession session;
    HeadlessLog log;
    std::unique_ptr<MicListener> listener = std::make_unique<MicListener>(factory, &session, log);
    const std::vector<std::int16_t> d4 = testing::tone(testing::binFrequency(685));
    const std::vector<std::int16_t> a4 = testing::tone(testing::binFrequency(1027));
};

// (The calls that set the session up are in the default trace, byte for byte.)
TEST_F(MicListenerTest, SetsUpAPlayAndRecordSessionDeactivatesItOnReleaseAndLogsFailures) {
    listener.reset();
    EXPECT_EQ(session.calls().back(), "setActive 0");
    EXPECT_TRUE(log.lines().empty());

    // Set-up ends at the failed category; release still deactivates.
    HeadlessAudioSession failing;
    failing.failWith("Busy");
    MicListener{factory, &failing, log};
    EXPECT_THAT(failing.calls(),
                ElementsAre("setCategory AVAudioSessionCategoryPlayback", "setActive 0"));
    EXPECT_THAT(log.lines(), ElementsAre("init Error setting category: Busy", "Busy"));
}

// Silent until listen builds one metered queue in the capture format; "no microphone" until
// something is heard, and a device lost after that is being reconnected.
TEST_F(MicListenerTest, IsSilentUntilListenBuildsOneMeteredQueueAndSaysWhetherAMicWasHeard) {
    using Status = MicListener::Status;
    EXPECT_EQ(listener->status(), Status::Idle);
    factory.failCreation = true;
    listener->listen();
    EXPECT_EQ(listener->status(), Status::NoMicrophone);
    EXPECT_FALSE(listener->isListening());
    EXPECT_EQ(listener->averagePower(), 0.0f);
    EXPECT_EQ(listener->levels(), nullptr);
    EXPECT_EQ(listener->frequency(), 0.0f);

    factory.failCreation = false;
    factory.onCreate = [](testing::FakeAudioInputQueue& queue) { queue.lostDevice = true; };
    listener->listen();
    listener->listen();
    EXPECT_EQ(listener->status(), Status::NoMicrophone);  // its device never opened
    EXPECT_THAT(factory.formats,
                ElementsAre(platform::StreamFormat{14039.0, 0x6C70636D, 12, 2, 1, 2, 1, 16, 0}));
    EXPECT_EQ(factory.latest->enqueuedCount(), 3u);
    EXPECT_TRUE(factory.latest->metering);
    EXPECT_TRUE(listener->isListening());
    EXPECT_THAT(log.lines(), ElementsAre("AudioQueueSetProperty error: 0"));
    factory.latest->meter = {0.25f, 0.75f};
    EXPECT_EQ(listener->averagePower(), 0.25f);
    EXPECT_EQ(listener->peakPower(), 0.75f);

    factory.latest->lostDevice = false;
    EXPECT_EQ(listener->status(), Status::Capturing);
    ASSERT_TRUE(factory.latest->deliver(std::vector<std::uint8_t>(8192, 0)));
    factory.latest->lostDevice = true;
    EXPECT_EQ(listener->status(), Status::Reconnecting);
    listener->stop();
    EXPECT_EQ(listener->status(), Status::Idle);
}

// Only a running queue's blocks are kept and their buffers re-enqueued; the last block kept is
// analysed until the next one. Pause keeps the queue, stop disposes of it.
TEST_F(MicListenerTest, KeepsTheLatestBlockOfARunningQueueThroughPauseAndStop) {
    std::vector<std::int16_t> silenceThenD4(4096, 0);
    silenceThenD4.insert(silenceThenD4.end(), d4.begin(), d4.end());
    const auto listen = [&] { listener->listen(); };
    const auto pause = [&] { listener->pause(); };
    const auto stop = [&] { listener->stop(); };
    const auto deliverD4 = [&] { ASSERT_TRUE(factory.latest->deliver(testing::asBytes(d4))); };
    const auto deliverA4 = [&] { ASSERT_TRUE(factory.latest->deliver(testing::asBytes(a4))); };
    const auto failRunningQuery = [&] { factory.latest->failRunningQuery = true; };
    const auto storeLong = [&] { listener->setAudioBuffer(silenceThenD4.data(), 16384); };
    const auto storeHuge = [&] { listener->setAudioBuffer(d4.data(), 0xFFFFFFFFu); };
    const struct {
        std::function<void()> action;
        bool listening;
        float hz;
        std::size_t enqueued;  // buffers waiting in the latest queue, while there is one
        std::size_t queuesMade;
        int queuesAlive;
    } steps[] = {
        {listen, true, 0.0f, 3, 1, 1},
        {deliverD4, true, kD4, 3, 1, 1},
        {deliverA4, true, kA4, 3, 1, 1},
        {pause, false, kA4, 3, 1, 1},
        {deliverD4, false, kA4, 2, 1, 1},  // dropped, and its buffer not refilled
        {listen, true, kA4, 2, 1, 1},
        {failRunningQuery, false, kA4, 2, 1, 1},  // counts as stopped
        {deliverD4, false, kA4, 1, 1, 1},
        {stop, false, kA4, 0, 1, 0},
        {listen, true, kA4, 3, 2, 1},
        // Blocks longer than a capture buffer are cut to its 8192 bytes: 8192 bytes of silence
        // hide the loud tone behind them, and a huge length reads one buffer.
        {storeLong, true, 0.0f, 3, 2, 1},
        {storeHuge, true, kD4, 3, 2, 1},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].action();
        EXPECT_EQ(listener->isListening(), steps[i].listening) << "step " << i;
        EXPECT_EQ(listener->frequency(), steps[i].hz) << "step " << i;
        EXPECT_EQ(factory.formats.size(), steps[i].queuesMade) << "step " << i;
        EXPECT_EQ(factory.alive, steps[i].queuesAlive) << "step " << i;
        if (factory.alive > 0) {
            EXPECT_EQ(factory.latest->enqueuedCount(), steps[i].enqueued) << "step " << i;
            factory.latest->meter = {0.5f, 0.5f};
        }
        EXPECT_EQ(listener->averagePower(), steps[i].listening ? 0.5f : 0.0f) << "step " << i;
    }
}

TEST_F(MicListenerTest, ReadsTheNoteFromTheQueuesTapOrElseFromItsBlocks) {
    // Without a tap, each block is the new audio: the first D4 block gives a first candidate,
    // asked about again it is the same reading (no second look that would agree with itself),
    // and the next block makes it a note.
    const std::vector<std::int16_t> d4Long = testing::tone(293.66, 8000.0, {1.0, 0.5, 0.3}, 8192);
    listener->setAudioBuffer(d4Long.data(), 8192);
    EXPECT_FALSE(listener->noteReading().note());
    EXPECT_FALSE(listener->noteReading().note());
    listener->setAudioBuffer(d4Long.data() + 4096, 8192);
    EXPECT_TRUE(listener->noteReading().note());
    EXPECT_NEAR(listener->noteReading().hertz, 293.66, 0.01);

    // A queue with a tap feeds the reading piece by piece, sooner than its blocks: 0.15 s of an
    // A4 and 0.1 s more are a note before any block has come, and a block stored meanwhile
    // does not count its samples twice.
    factory.offerTaps = true;
    MicListener tapped(factory, &session, log);
    tapped.listen();
    const std::vector<std::int16_t> a4Long = testing::tone(440.0, 8000.0, {1.0, 0.5, 0.3}, 4096);
    factory.latest->tapPiece(std::span(a4Long).first(2100));
    EXPECT_FALSE(tapped.noteReading().note());
    tapped.setAudioBuffer(d4Long.data(), 8192);
    factory.latest->tapPiece(std::span(a4Long).subspan(2100, 1400));
    ASSERT_TRUE(tapped.noteReading().note());
    EXPECT_NEAR(tapped.noteReading().hertz, 440.0, 0.01);
    EXPECT_NEAR(tapped.frequency(), 293.66, 0.5);  // the block is the estimate's, as ever
}

TEST(LevelMeter, ReadsRmsAndPeakOnTheLinearScale) {
    const std::vector<std::int16_t> square = {-32768, 32767, -32768, 32767};
    EXPECT_NEAR(measureLevel(square).averagePower, 1.0f, 1e-4f);
    EXPECT_EQ(measureLevel(square).peakPower, 1.0f);  // |-32768| must not overflow
    const LevelMeterState sine = measureLevel(testing::tone(440.0, 16384.0, {1.0}, 14039));
    EXPECT_NEAR(sine.averagePower, 0.5f / std::sqrt(2.0f), 1e-3f);
    EXPECT_NEAR(sine.peakPower, 0.5f, 1e-4f);
    EXPECT_EQ(measureLevel({}).averagePower, 0.0f);
    EXPECT_EQ(measureLevel({}).peakPower, 0.0f);
}

}  // namespace
}  // namespace strumwise::pitch
