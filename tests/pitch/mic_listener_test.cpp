#include "pitch/mic_listener.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "pitch/fake_audio_input.h"
#include "pitch/test_signals.h"

namespace strumwise::pitch {
namespace {

using ::testing::ElementsAre;
using testing::FakeAudioInputQueueFactory;
using testing::FakeAudioSession;
using testing::RecordingLog;

class MicListenerTest : public ::testing::Test {
  protected:
    FakeAudioInputQueueFactory factory;
    FakeAudioSession session;
    RecordingLog log;

    std::unique_ptr<MicListener> makeListener() {
        return std::make_unique<MicListener>(factory, &session, log);
    }

    const std::vector<std::int16_t> d4 = testing::harmonicTone(testing::binFrequency(685));
    const std::vector<std::int16_t> a4 = testing::harmonicTone(testing::binFrequency(1027));
};

TEST_F(MicListenerTest, CreationSetsUpPlayAndRecordSessionAndReleaseDeactivatesIt) {
    auto listener = makeListener();
    EXPECT_THAT(session.calls,
                ElementsAre("setCategory AVAudioSessionCategoryPlayback",
                            "setCategory AVAudioSessionCategoryPlayAndRecord 8", "setActive 1"));
    listener.reset();
    EXPECT_EQ(session.calls.back(), "setActive 0");
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(MicListenerTest, FailedCategoryIsLoggedAndEndsSessionSetUp) {
    session.failCategory = true;
    auto listener = makeListener();
    EXPECT_THAT(session.calls, ElementsAre("setCategory AVAudioSessionCategoryPlayback"));
    EXPECT_THAT(log.lines(),
                ElementsAre("init Error setting category: The operation couldn't be completed."));
}

TEST_F(MicListenerTest, FailedActivationIsLoggedOnCreationAndRelease) {
    session.failActive = true;
    auto listener = makeListener();
    listener.reset();
    EXPECT_THAT(log.lines(), ElementsAre("The operation couldn't be completed.",
                                         "The operation couldn't be completed."));
}

TEST_F(MicListenerTest, WorksWithoutAnAudioSession) {
    MicListener listener(factory, nullptr, log);
    listener.listen();
    EXPECT_TRUE(listener.isListening());
}

TEST_F(MicListenerTest, IsSilentBeforeListen) {
    auto listener = makeListener();
    EXPECT_FALSE(listener->isListening());
    EXPECT_EQ(listener->averagePower(), 0.0f);
    EXPECT_EQ(listener->peakPower(), 0.0f);
    EXPECT_EQ(listener->levels(), nullptr);
    EXPECT_EQ(listener->frequency(), 0.0f);
    EXPECT_TRUE(factory.records.empty());
}

TEST_F(MicListenerTest, ListenBuildsOneRunningQueueInTheCaptureFormat) {
    auto listener = makeListener();
    listener->listen();
    listener->listen();

    ASSERT_EQ(factory.records.size(), 1u);
    const auto& record = *factory.records[0];
    const platform::StreamFormat expected{14039.0, 0x6C70636D, 12, 2, 1, 2, 1, 16, 0};
    EXPECT_EQ(record.format, expected);
    EXPECT_EQ(record.buffersAllocated, 3);
    EXPECT_EQ(record.enqueues, 3);
    EXPECT_TRUE(record.meteringEnabled);
    EXPECT_TRUE(listener->isListening());
    EXPECT_THAT(log.lines(), ElementsAre("AudioQueueSetProperty error: 0"));
}

TEST_F(MicListenerTest, MeteringStatusIsLoggedAsReturned) {
    factory.onCreate = [](testing::FakeAudioInputQueue& queue) { queue.meteringStatus = -50; };
    auto listener = makeListener();
    listener->listen();
    EXPECT_THAT(log.lines(), ElementsAre("AudioQueueSetProperty error: -50"));
}

TEST_F(MicListenerTest, PauseKeepsTheQueueAndListenRestartsIt) {
    auto listener = makeListener();
    listener->listen();
    listener->pause();
    EXPECT_FALSE(listener->isListening());
    EXPECT_EQ(listener->averagePower(), 0.0f);
    listener->listen();
    EXPECT_TRUE(listener->isListening());
    ASSERT_EQ(factory.records.size(), 1u);
    EXPECT_EQ(factory.records[0]->stops, 1);
    EXPECT_EQ(factory.records[0]->starts, 2);
}

TEST_F(MicListenerTest, StopDisposesAndListenBuildsAFreshQueue) {
    auto listener = makeListener();
    listener->listen();
    listener->stop();
    EXPECT_FALSE(listener->isListening());
    EXPECT_TRUE(factory.records[0]->disposed);
    listener->listen();
    ASSERT_EQ(factory.records.size(), 2u);
    EXPECT_EQ(factory.records[1]->buffersAllocated, 3);
    EXPECT_EQ(factory.records[1]->enqueues, 3);
    EXPECT_TRUE(listener->isListening());
}

TEST_F(MicListenerTest, DeliveredBlockIsStoredReEnqueuedAndEstimated) {
    auto listener = makeListener();
    listener->listen();
    ASSERT_TRUE(factory.latest->deliver(testing::asBytes(d4)));
    EXPECT_EQ(factory.latest->enqueuedCount(), 3u);
    EXPECT_EQ(listener->frequency(), listener->getFreqFromBuffer(d4.data(), 8192));
    EXPECT_FLOAT_EQ(listener->frequency(), 293.47885f);

    // Each block replaces the previous one whole.
    ASSERT_TRUE(factory.latest->deliver(testing::asBytes(a4)));
    EXPECT_FLOAT_EQ(listener->frequency(), 440.00405f);
}

TEST_F(MicListenerTest, BlockDeliveredToAStoppedQueueIsDroppedAndNotRefilled) {
    auto listener = makeListener();
    listener->listen();
    ASSERT_TRUE(factory.latest->deliver(testing::asBytes(d4)));
    listener->pause();
    ASSERT_TRUE(factory.latest->deliver(testing::asBytes(a4)));
    EXPECT_EQ(factory.latest->enqueuedCount(), 2u);
    // The last block received keeps being analysed.
    EXPECT_FLOAT_EQ(listener->frequency(), 293.47885f);
}

TEST_F(MicListenerTest, FailedRunningQueryCountsAsNotListening) {
    auto listener = makeListener();
    listener->listen();
    factory.latest->failRunningQuery = true;
    EXPECT_FALSE(listener->isListening());
    EXPECT_EQ(listener->averagePower(), 0.0f);
    ASSERT_TRUE(factory.latest->deliver(testing::asBytes(d4)));
    EXPECT_EQ(listener->frequency(), 0.0f);
    EXPECT_EQ(factory.latest->enqueuedCount(), 2u);
}

TEST_F(MicListenerTest, LevelsComeFromTheQueueMeterWhileListening) {
    auto listener = makeListener();
    listener->listen();
    factory.latest->meter = {0.25f, 0.75f};
    EXPECT_EQ(listener->averagePower(), 0.25f);
    EXPECT_EQ(listener->peakPower(), 0.75f);
    ASSERT_NE(listener->levels(), nullptr);
    EXPECT_EQ(listener->levels()[0].peakPower, 0.75f);
}

TEST_F(MicListenerTest, NoQueueMeansSilenceAndListenTriesAgain) {
    factory.failCreation = true;
    auto listener = makeListener();
    listener->listen();
    EXPECT_FALSE(listener->isListening());
    EXPECT_EQ(listener->averagePower(), 0.0f);
    EXPECT_EQ(listener->levels(), nullptr);
    factory.failCreation = false;
    listener->listen();
    EXPECT_TRUE(listener->isListening());
}

TEST_F(MicListenerTest, OverlongBlockIsCutToOneCaptureBuffer) {
    // 8192 bytes of silence, then a loud tone that must not be read past the buffer.
    std::vector<std::int16_t> block(4096, 0);
    block.insert(block.end(), d4.begin(), d4.end());
    auto listener = makeListener();
    listener->setAudioBuffer(block.data(), testing::byteLength(block));
    EXPECT_EQ(listener->frequency(), 0.0f);
    listener->setAudioBuffer(d4.data(), 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(listener->frequency(), 293.47885f);
}

TEST_F(MicListenerTest, BlockStoredBeforeListenIsEstimatedAtTheCaptureRate) {
    auto listener = makeListener();
    listener->setAudioBuffer(d4.data(), testing::byteLength(d4));
    EXPECT_FLOAT_EQ(listener->frequency(), 293.47885f);
}

TEST_F(MicListenerTest, OddByteCountIgnoresTheLastByte) {
    auto listener = makeListener();
    listener->setAudioBuffer(d4.data(), 1);
    EXPECT_EQ(listener->frequency(), 0.0f);
}

TEST(MicListenerSharedDeathTest, SharedListenerBeforeConfigurationAborts) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(MicListener::sharedListener(),
                 "sharedListener\\(\\) called before configureShared");
}

TEST(MicListenerSharedDeathTest, ConfiguringAfterCreationAborts) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            static FakeAudioInputQueueFactory factory;
            static RecordingLog log;
            MicListener::configureShared(factory, nullptr, log);
            MicListener::sharedListener();
            MicListener::configureShared(factory, nullptr, log);
        },
        "configureShared\\(\\) called after the shared listener was created");
}

}  // namespace
}  // namespace strumwise::pitch
