#pragma once

// Stand-ins for the platform's audio input queue, audio session and log, so that the listener
// can be driven buffer by buffer from a test, or from a capture thread of the fake's own.

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "platform/audio_input.h"
#include "platform/audio_session.h"
#include "platform/log.h"

namespace strumwise::testing {

// What a queue went through, kept after the listener has disposed of it.
struct FakeQueueRecord {
    platform::StreamFormat format;
    std::atomic<int> buffers = 0, enqueues = 0, starts = 0, stops = 0, deliveries = 0;
    std::atomic<bool> metering = false, disposed = false;
};

class FakeAudioInputQueue : public platform::AudioInputQueue {
  public:
    FakeAudioInputQueue(std::shared_ptr<FakeQueueRecord> record,
                        platform::AudioInputCallback callback, void* userData)
        : record_(std::move(record)), callback_(callback), userData_(userData) {}
    ~FakeAudioInputQueue() override {
        quit_ = true;
        if (pump_.joinable()) {
            pump_.join();
        }
        record_->disposed = true;
    }

    platform::AudioQueueBuffer* allocateBuffer(std::uint32_t byteCapacity) override {
        storage_.push_back(std::make_unique<std::vector<std::uint8_t>>(byteCapacity));
        buffers_.push_back({storage_.back()->data(), byteCapacity, 0});
        ++record_->buffers;
        return &buffers_.back();
    }
    void enqueueBuffer(platform::AudioQueueBuffer& buffer) override {
        std::lock_guard lock(mutex_);
        enqueued_.push_back(&buffer);
        ++record_->enqueues;
    }
    void start() override {
        running_ = true;
        ++record_->starts;
    }
    void stop() override {
        running_ = false;
        ++record_->stops;
    }
    std::optional<bool> isRunning() const override {
        return failRunningQuery ? std::nullopt : std::optional<bool>(running_);
    }
    std::int32_t setLevelMeteringEnabled(bool enabled) override {
        record_->metering = enabled;
        return meteringStatus;
    }
    void currentLevelMeter(platform::LevelMeterState* levels, std::uint32_t count) const override {
        std::fill_n(levels, count, meter);
    }

    // Fills the oldest enqueued buffer and hands it to the callback, as the platform does
    // whether or not the queue still runs. False when no buffer is enqueued.
    bool deliver(std::span<const std::uint8_t> bytes) {
        platform::AudioQueueBuffer* buffer = nullptr;
        {
            std::lock_guard lock(mutex_);
            if (enqueued_.empty()) {
                return false;
            }
            buffer = enqueued_.front();
            enqueued_.pop_front();
        }
        buffer->byteSize =
            static_cast<std::uint32_t>(std::min<std::size_t>(bytes.size(), buffer->capacity));
        std::memcpy(buffer->audioData, bytes.data(), buffer->byteSize);
        ++record_->deliveries;
        callback_(userData_, *this, *buffer);
        return true;
    }
    std::size_t enqueuedCount() {
        std::lock_guard lock(mutex_);
        return enqueued_.size();
    }

    // Delivers blocks from `source` on a thread of the queue's own while the queue runs, like a
    // platform capture thread: a block may still arrive just after stop(). Destruction waits for
    // a callback in progress.
    void startPump(std::function<std::span<const std::uint8_t>()> source) {
        pump_ = std::thread([this, source = std::move(source)] {
            while (!quit_) {
                if (!running_ || !deliver(source())) {
                    std::this_thread::yield();
                }
            }
        });
    }

    platform::LevelMeterState meter;
    std::int32_t meteringStatus = 0;
    std::atomic<bool> failRunningQuery = false;

  private:
    std::shared_ptr<FakeQueueRecord> record_;
    platform::AudioInputCallback callback_;
    void* userData_;
    std::vector<std::unique_ptr<std::vector<std::uint8_t>>> storage_;
    std::deque<platform::AudioQueueBuffer> buffers_;  // stable addresses
    std::mutex mutex_;
    std::deque<platform::AudioQueueBuffer*> enqueued_;
    std::atomic<bool> running_ = false, quit_ = false;
    std::thread pump_;
};

class FakeAudioInputQueueFactory : public platform::AudioInputQueueFactory {
  public:
    std::unique_ptr<platform::AudioInputQueue> newInput(const platform::StreamFormat& format,
                                                        platform::AudioInputCallback callback,
                                                        void* userData) override {
        if (failCreation) {
            return nullptr;
        }
        records.push_back(std::make_shared<FakeQueueRecord>());
        records.back()->format = format;
        auto queue = std::make_unique<FakeAudioInputQueue>(records.back(), callback, userData);
        latest = queue.get();
        if (onCreate) {
            onCreate(*queue);
        }
        return queue;
    }

    bool failCreation = false;
    std::vector<std::shared_ptr<FakeQueueRecord>> records;
    FakeAudioInputQueue* latest = nullptr;  // dangles once the listener disposes of it
    std::function<void(FakeAudioInputQueue&)> onCreate;
};

// Records each call as a line, e.g. "setCategory AVAudioSessionCategoryPlayback".
class FakeAudioSession : public platform::AudioSession {
  public:
    bool setCategory(std::string_view category, std::string* error) override {
        return call("setCategory " + std::string(category), failCategory, error);
    }
    bool setCategory(std::string_view category, std::uint32_t options,
                     std::string* error) override {
        return call("setCategory " + std::string(category) + " " + std::to_string(options), false,
                    error);
    }
    bool setMode(std::string_view mode, std::string* error) override {
        return call("setMode " + std::string(mode), false, error);
    }
    bool setActive(bool active, std::string* error) override {
        return call(active ? "setActive 1" : "setActive 0", failActive, error);
    }

    bool failCategory = false;
    bool failActive = false;
    std::vector<std::string> calls;

  private:
    bool call(std::string line, bool fail, std::string* error) {
        calls.push_back(std::move(line));
        if (fail && error != nullptr) {
            *error = "The operation couldn't be completed.";
        }
        return !fail;
    }
};

class RecordingLog : public platform::Log {
  public:
    void write(std::string_view line) override {
        std::lock_guard lock(mutex_);
        lines_.emplace_back(line);
    }
    std::vector<std::string> lines() {
        std::lock_guard lock(mutex_);
        return lines_;
    }

  private:
    std::mutex mutex_;
    std::vector<std::string> lines_;
};

}  // namespace strumwise::testing
