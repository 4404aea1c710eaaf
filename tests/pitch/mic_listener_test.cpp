#include "pitch/mic_listener.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "pitch/fake_audio_input.h"
#include "pitch/test_signals.h"

namespace strumwise::pitch {
namespace {

using ::testing::ElementsAre;
using testing::FakeAudioInputQueueFactory;
using testing::FakeAudioSession;
using testing::RecordingLog;

constexpr float kD4 = 293.4788513f;  // bin 685
constexpr float kA4 = 440.0040588f;  // bin 1027
constexpr const char* kSessionError = "The operation couldn't be completed.";

class MicListenerTest : public ::testing::Test {
  protected:
    FakeAudioInputQueueFactory factory;
    FakeAudioSession session;
    RecordingLog log;
    std::unique_ptr<MicListener> listener = std::make_unique<MicListener>(factory, &session, log);

    const std::vector<std::int16_t> d4 = testing::harmonicTone(testing::binFrequency(685));
    const std::vector<std::int16_t> a4 = testing::harmonicTone(testing::binFrequency(1027));
};

TEST_F(MicListenerTest, SetsUpAPlayAndRecordSessionAndDeactivatesItOnRelease) {
    EXPECT_THAT(session.calls,
                ElementsAre("setCategory AVAudioSessionCategoryPlayback",
                            "setCategory AVAudioSessionCategoryPlayAndRecord 8", "setActive 1"));
    listener.reset();
    EXPECT_EQ(session.calls.back(), "setActive 0");
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(MicListenerTest, SessionFailuresAreLogged) {
    FakeAudioSession failing;
    failing.failCategory = true;
    MicListener{factory, &failing, log};
    // Set-up ends at the failed category; release still deactivates.
    EXPECT_THAT(failing.calls,
                ElementsAre("setCategory AVAudioSessionCategoryPlayback", "setActive 0"));

    FakeAudioSession inactive;
    inactive.failActive = true;
    MicListener{factory, &inactive, log};
    EXPECT_THAT(log.lines(),
                ElementsAre(std::string("init Error setting category: ") + kSessionError,
                            kSessionError, kSessionError));
}

TEST_F(MicListenerTest, IsSilentUntilListenBuildsOneMeteredQueueInTheCaptureFormat) {
    EXPECT_EQ(listener->averagePower(), 0.0f);
    EXPECT_EQ(listener->levels(), nullptr);
    EXPECT_EQ(listener->frequency(), 0.0f);
    listener->listen();
    listener->listen();
    ASSERT_EQ(factory.records.size(), 1u);
    const testing::FakeQueueRecord& record = *factory.records[0];
    EXPECT_EQ(record.format, (platform::StreamFormat{14039.0, 0x6C70636D, 12, 2, 1, 2, 1, 16, 0}));
    EXPECT_EQ(record.buffers, 3);
    EXPECT_EQ(record.enqueues, 3);
    EXPECT_TRUE(record.metering);
    EXPECT_TRUE(listener->isListening());
    EXPECT_THAT(log.lines(), ElementsAre("AudioQueueSetProperty error: 0"));

    factory.latest->meter = {0.25f, 0.75f};
    EXPECT_EQ(listener->averagePower(), 0.25f);
    EXPECT_EQ(listener->peakPower(), 0.75f);
}

TEST_F(MicListenerTest, PauseKeepsTheQueueAndStopDisposesOfIt) {
    listener->listen();
    listener->pause();
    EXPECT_FALSE(listener->isListening());
    EXPECT_EQ(listener->averagePower(), 0.0f);
    listener->listen();
    EXPECT_TRUE(listener->isListening());
    EXPECT_EQ(factory.records.size(), 1u);

    listener->stop();
    EXPECT_FALSE(listener->isListening());
    EXPECT_TRUE(factory.records[0]->disposed);
    listener->listen();
    ASSERT_EQ(factory.records.size(), 2u);
    EXPECT_EQ(factory.records[1]->enqueues, 3);
    EXPECT_TRUE(listener->isListening());
}

TEST_F(MicListenerTest, EachDeliveredBlockReplacesTheLastAndItsBufferIsReEnqueued) {
    listener->listen();
    ASSERT_TRUE(factory.latest->deliver(testing::asBytes(d4)));
    EXPECT_EQ(factory.latest->enqueuedCount(), 3u);
    EXPECT_EQ(listener->frequency(), kD4);
    ASSERT_TRUE(factory.latest->deliver(testing::asBytes(a4)));
    EXPECT_EQ(listener->frequency(), kA4);
}

TEST_F(MicListenerTest, BlockDeliveredToAStoppedQueueIsDroppedAndNotRefilled) {
    listener->listen();
    ASSERT_TRUE(factory.latest->deliver(testing::asBytes(d4)));
    listener->pause();
    ASSERT_TRUE(factory.latest->deliver(testing::asBytes(a4)));
    EXPECT_EQ(factory.latest->enqueuedCount(), 2u);
    EXPECT_EQ(listener->frequency(), kD4);  // the last block received is still analysed

    // A failed running query counts as stopped too.
    listener->listen();
    factory.latest->failRunningQuery = true;
    EXPECT_FALSE(listener->isListening());
    ASSERT_TRUE(factory.latest->deliver(testing::asBytes(a4)));
    EXPECT_EQ(listener->frequency(), kD4);
}

TEST_F(MicListenerTest, WithoutAQueueItStaysSilentAndListenTriesAgain) {
    factory.failCreation = true;
    listener->listen();
    EXPECT_FALSE(listener->isListening());
    EXPECT_EQ(listener->levels(), nullptr);
    factory.failCreation = false;
    listener->listen();
    EXPECT_TRUE(listener->isListening());
}

TEST_F(MicListenerTest, BlockLongerThanACaptureBufferIsCutToIt) {
    // 8192 bytes of silence, then a loud tone that must not be read past the buffer.
    std::vector<std::int16_t> block(4096, 0);
    block.insert(block.end(), d4.begin(), d4.end());
    listener->setAudioBuffer(block.data(), testing::byteLength(block));
    EXPECT_EQ(listener->frequency(), 0.0f);
    // Stored before any listen, it is still read at the capture rate.
    listener->setAudioBuffer(d4.data(), 0xFFFFFFFFu);
    EXPECT_EQ(listener->frequency(), kD4);
}

TEST(MicListenerSharedDeathTest, MisconfiguredSharedListenerAbortsWithAReason) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(MicListener::sharedListener(),
                 "sharedListener\\(\\) called before configureShared");
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
