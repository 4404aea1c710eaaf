// The file-fed capture queue behind --input: blocks arrive in order on their own thread with the
// file's samples, then silence, until the queue stops or goes.

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
    return StreamFormat{
        kRate, kFormatLinearPCM, kFormatFlagIsSignedInteger | kFormatFlagIsPacked, 2, 1, 2, 1, 16,
        0};
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
    queue->start();
    queue.reset();  // destroying a running queue stops it first

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

}  // namespace
}  // namespace strumwise::platform::desktop
