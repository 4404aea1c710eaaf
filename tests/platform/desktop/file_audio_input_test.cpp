// The file-fed capture queue behind --input: blocks arrive in order on their own thread with the
// file's samples, then silence; the meter follows the latest block; stopping is immediate.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/desktop/file_audio_input.h"
#include "platform/desktop/stderr_log.h"

namespace strumwise::platform::desktop {
namespace {

constexpr double kRate = 14039.0;

StreamFormat captureFormat() {
    StreamFormat format;
    format.sampleRate = kRate;
    format.formatID = kFormatLinearPCM;
    format.formatFlags = kFormatFlagIsSignedInteger | kFormatFlagIsPacked;
    format.bytesPerPacket = 2;
    format.framesPerPacket = 1;
    format.bytesPerFrame = 2;
    format.channelsPerFrame = 1;
    format.bitsPerChannel = 16;
    return format;
}

struct Received {
    std::mutex mutex;
    std::vector<std::vector<std::int16_t>> blocks;
    std::thread::id thread;
};

void capture(void* userData, AudioInputQueue& queue, AudioQueueBuffer& buffer) {
    auto& received = *static_cast<Received*>(userData);
    const auto* samples = static_cast<const std::int16_t*>(buffer.audioData);
    {
        std::lock_guard lock(received.mutex);
        received.blocks.emplace_back(samples, samples + buffer.byteSize / 2);
        received.thread = std::this_thread::get_id();
    }
    queue.enqueueBuffer(buffer);
}

std::size_t blockCount(Received& received) {
    std::lock_guard lock(received.mutex);
    return received.blocks.size();
}

bool waitFor(Received& received, std::size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (blockCount(received) < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return blockCount(received) >= count;
}

TEST(FileAudioInput, DeliversTheFileBlockByBlockThenSilence) {
    StderrLog log;
    // One and a half blocks of a ramp, so that the second block is half file, half silence.
    std::vector<std::int16_t> samples(6144);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(i % 1000 + 1);
    }
    FileAudioInputFactory factory(samples, kRate, log);
    Received received;
    auto queue = factory.newInput(captureFormat(), capture, &received);
    ASSERT_NE(queue, nullptr);
    for (int i = 0; i < 3; ++i) {
        queue->enqueueBuffer(*queue->allocateBuffer(8192));
    }
    queue->setLevelMeteringEnabled(true);
    queue->start();
    EXPECT_EQ(queue->isRunning(), true);
    ASSERT_TRUE(waitFor(received, 3));
    queue->stop();
    EXPECT_EQ(queue->isRunning(), false);

    std::lock_guard lock(received.mutex);
    EXPECT_NE(received.thread, std::this_thread::get_id());
    ASSERT_GE(received.blocks.size(), 3u);
    const auto& first = received.blocks[0];
    ASSERT_EQ(first.size(), 4096u);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), samples.begin()));
    const auto& second = received.blocks[1];
    ASSERT_EQ(second.size(), 4096u);
    EXPECT_TRUE(std::equal(second.begin(), second.begin() + 2048, samples.begin() + 4096));
    EXPECT_TRUE(std::all_of(second.begin() + 2048, second.end(), [](auto s) { return s == 0; }));
    const auto& third = received.blocks[2];
    EXPECT_TRUE(std::all_of(third.begin(), third.end(), [](auto s) { return s == 0; }));
}

TEST(FileAudioInput, TheMeterReadsTheLatestBlock) {
    StderrLog log;
    FileAudioInputFactory factory(std::vector<std::int16_t>(4096, 16384), kRate, log);
    Received received;
    auto queue = factory.newInput(captureFormat(), capture, &received);
    ASSERT_NE(queue, nullptr);
    queue->enqueueBuffer(*queue->allocateBuffer(8192));
    queue->setLevelMeteringEnabled(true);
    queue->start();
    ASSERT_TRUE(waitFor(received, 1));
    queue->stop();
    LevelMeterState level;
    queue->currentLevelMeter(&level, 1);
    // The first block is a steady half-scale level; later ones are silence.
    EXPECT_TRUE(level.averagePower == 0.0f || std::abs(level.averagePower - 0.5f) < 1e-3f);
}

TEST(FileAudioInput, StoppingEndsDeliveryAtOnceAndDestructionIsSafeWhileRunning) {
    StderrLog log;
    FileAudioInputFactory factory(std::vector<std::int16_t>(100000, 1), kRate, log);
    Received received;
    auto queue = factory.newInput(captureFormat(), capture, &received);
    ASSERT_NE(queue, nullptr);
    queue->enqueueBuffer(*queue->allocateBuffer(8192));
    queue->start();
    const auto before = std::chrono::steady_clock::now();
    queue->stop();
    EXPECT_EQ(blockCount(received), 0u);  // stopped before the first block was due
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(1));
    queue->start();
    queue.reset();  // destroying a running queue stops it first
}

TEST(FileAudioInput, RefusesFormatsItCannotFeed) {
    StderrLog log;
    FileAudioInputFactory factory(std::vector<std::int16_t>(10), kRate, log);
    Received received;
    StreamFormat stereo = captureFormat();
    stereo.channelsPerFrame = 2;
    EXPECT_EQ(factory.newInput(stereo, capture, &received), nullptr);
    StreamFormat otherRate = captureFormat();
    otherRate.sampleRate = 44100.0;
    EXPECT_EQ(factory.newInput(otherRate, capture, &received), nullptr);
    EXPECT_EQ(factory.newInput(captureFormat(), nullptr, &received), nullptr);
}

}  // namespace
}  // namespace strumwise::platform::desktop
