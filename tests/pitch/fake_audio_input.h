#pragma once

// An audio input queue the test drives buffer by buffer, or from a capture thread of its own.

#include <algorithm>
#include <atomic>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "platform/audio_input.h"

namespace strumwise::testing {

class FakeAudioInputQueue final : public platform::AudioInputQueue {
  public:
    FakeAudioInputQueue(platform::AudioInputCallback callback, void* userData,
                        std::atomic<int>& alive, std::atomic<int>& deliveries)
        : callback_(callback), userData_(userData), alive_(alive), deliveries_(deliveries) {
        ++alive_;
    }
    ~FakeAudioInputQueue() override {
        quit_ = true;
        if (pump_.joinable()) {
            pump_.join();
        }
        --alive_;
    }

    platform::AudioQueueBuffer* allocateBuffer(std::uint32_t bytes) override {
        storage_.emplace_back(bytes);
        buffers_.push_back({storage_.back().data(), bytes, 0});
        return &buffers_.back();
    }
    void enqueueBuffer(platform::AudioQueueBuffer& buffer) override {
        const std::lock_guard lock(mutex_);
        enqueued_.push_back(&buffer);
    }
    void start() override { running_ = true; }
    void stop() override { running_ = false; }
    std::optional<bool> isRunning() const override {
        return failRunningQuery ? std::nullopt : std::optional<bool>(running_);
    }
    std::int32_t setLevelMeteringEnabled(bool enabled) override {
        metering = enabled;
        return 0;
    }
    void currentLevelMeter(platform::LevelMeterState* levels, std::uint32_t count) const override {
        std::fill_n(levels, count, meter);
    }

    // Fills the oldest enqueued buffer and hands it to the callback, as the platform may do just
    // after stop() too. False when no buffer is enqueued.
    bool deliver(std::span<const std::uint8_t> bytes) {
        platform::AudioQueueBuffer* buffer = nullptr;
        {
            const std::lock_guard lock(mutex_);
            if (enqueued_.empty()) {
                return false;
            }
            buffer = enqueued_.front();
            enqueued_.pop_front();
        }
        buffer->byteSize =
            static_cast<std::uint32_t>(std::min<std::size_t>(bytes.size(), buffer->capacity));
        std::memcpy(buffer->audioData, bytes.data(), buffer->byteSize);
        ++deliveries_;
        callback_(userData_, *this, *buffer);
        return true;
    }
    std::size_t enqueuedCount() {
        const std::lock_guard lock(mutex_);
        return enqueued_.size();
    }
    // Delivers blocks from `source` on a capture thread while the queue runs.
    void startPump(std::function<std::span<const std::uint8_t>()> source) {
        pump_ = std::thread([this, source = std::move(source)] {
            while (!quit_) {
                if (!running_ || !deliver(source())) {
                    std::this_thread::yield();
                }
            }
        });
    }

    bool reconnecting() const override { return lostDevice; }

    // A queue that offers a tap takes it, and hands it pieces when the test says so.
    bool setTap(platform::AudioTapCallback tap, void* userData) override {
        if (!offersTap) {
            return false;
        }
        tap_ = tap;
        tapUserData_ = userData;
        return true;
    }
    void tapPiece(std::span<const std::int16_t> samples) {
        tap_(tapUserData_, samples.data(), static_cast<std::uint32_t>(samples.size()));
    }
    bool offersTap = false;

    platform::LevelMeterState meter;
    std::atomic<bool> metering = false, failRunningQuery = false, lostDevice = false;

  private:
    platform::AudioInputCallback callback_;
    void* userData_;
    platform::AudioTapCallback tap_ = nullptr;
    void* tapUserData_ = nullptr;
    std::atomic<int>&alive_, &deliveries_;
    std::deque<std::vector<std::uint8_t>> storage_;
    std::deque<platform::AudioQueueBuffer> buffers_;  // stable addresses
    std::mutex mutex_;
    std::deque<platform::AudioQueueBuffer*> enqueued_;
    std::atomic<bool> running_ = false, quit_ = false;
    std::thread pump_;
};

class FakeAudioInputQueueFactory final : public platform::AudioInputQueueFactory {
  public:
    std::unique_ptr<platform::AudioInputQueue> newInput(const platform::StreamFormat& format,
                                                        platform::AudioInputCallback callback,
                                                        void* userData) override {
        if (failCreation) {
            return nullptr;
        }
        formats.push_back(format);
        auto queue = std::make_unique<FakeAudioInputQueue>(callback, userData, alive, deliveries);
        queue->offersTap = offerTaps;
        latest = queue.get();
        if (onCreate) {
            onCreate(*queue);
        }
        return queue;
    }

    bool failCreation = false;
    bool offerTaps = false;
    std::vector<platform::StreamFormat> formats;  // one per queue made
    std::atomic<int> alive = 0, deliveries = 0;
    FakeAudioInputQueue* latest = nullptr;  // dangles once the listener disposes of it
    std::function<void(FakeAudioInputQueue&)> onCreate;
};

}  // namespace strumwise::testing
