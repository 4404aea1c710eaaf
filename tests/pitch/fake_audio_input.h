#pragma once

// Stand-ins for the platform audio input queue, session and log, so the listener's logic can be
// driven buffer by buffer from a test, or from a capture thread of the fake's own.

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

// What a queue went through, kept after the queue itself has been disposed of.
struct FakeQueueRecord {
    platform::StreamFormat format;
    std::atomic<int> buffersAllocated = 0;
    std::atomic<int> enqueues = 0;
    std::atomic<int> starts = 0;
    std::atomic<int> stops = 0;
    std::atomic<int> callbacks = 0;
    std::atomic<bool> meteringEnabled = false;
    std::atomic<bool> disposed = false;
};

class FakeAudioInputQueue : public platform::AudioInputQueue {
  public:
    FakeAudioInputQueue(std::shared_ptr<FakeQueueRecord> record,
                        platform::AudioInputCallback callback, void* userData)
        : record_(std::move(record)), callback_(callback), userData_(userData) {}

    ~FakeAudioInputQueue() override {
        stopPump();
        record_->disposed = true;
    }

    platform::AudioQueueBuffer* allocateBuffer(std::uint32_t byteCapacity) override {
        auto slot = std::make_unique<Slot>();
        slot->storage.resize(byteCapacity);
        slot->buffer.audioData = slot->storage.data();
        slot->buffer.capacity = byteCapacity;
        slots_.push_back(std::move(slot));
        ++record_->buffersAllocated;
        return &slots_.back()->buffer;
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
        if (failRunningQuery) {
            return std::nullopt;
        }
        return running_.load();
    }

    std::int32_t setLevelMeteringEnabled(bool enabled) override {
        record_->meteringEnabled = enabled;
        return meteringStatus;
    }

    void currentLevelMeter(platform::LevelMeterState* levels,
                           std::uint32_t channels) const override {
        for (std::uint32_t c = 0; c < channels; ++c) {
            levels[c] = meter;
        }
    }

    // Fills the oldest enqueued buffer with `bytes` and hands it to the callback, as the
    // platform does whether or not the queue still runs. False when no buffer was enqueued.
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
        const auto size =
            static_cast<std::uint32_t>(std::min<std::size_t>(bytes.size(), buffer->capacity));
        std::memcpy(buffer->audioData, bytes.data(), size);
        buffer->byteSize = size;
        ++record_->callbacks;
        callback_(userData_, *this, *buffer);
        return true;
    }

    std::size_t enqueuedCount() {
        std::lock_guard lock(mutex_);
        return enqueued_.size();
    }

    // Delivers blocks from `source` on a thread of the queue's own while the queue runs, until
    // it is destroyed, like a platform capture thread: a block may still arrive just after
    // stop(). Destruction waits for a running callback.
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
    struct Slot {
        std::vector<std::uint8_t> storage;
        platform::AudioQueueBuffer buffer;
    };

    void stopPump() {
        quit_ = true;
        if (pump_.joinable()) {
            pump_.join();
        }
    }

    std::shared_ptr<FakeQueueRecord> record_;
    platform::AudioInputCallback callback_;
    void* userData_;
    std::vector<std::unique_ptr<Slot>> slots_;
    std::mutex mutex_;
    std::deque<platform::AudioQueueBuffer*> enqueued_;
    std::atomic<bool> running_ = false;
    std::atomic<bool> quit_ = false;
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
        auto record = std::make_shared<FakeQueueRecord>();
        record->format = format;
        records.push_back(record);
        auto queue = std::make_unique<FakeAudioInputQueue>(record, callback, userData);
        latest = queue.get();
        if (onCreate) {
            onCreate(*queue);
        }
        return queue;
    }

    bool failCreation = false;
    std::vector<std::shared_ptr<FakeQueueRecord>> records;
    // The most recently created queue; dangling once the listener disposes of it.
    FakeAudioInputQueue* latest = nullptr;
    std::function<void(FakeAudioInputQueue&)> onCreate;
};

// Records every session call as one line, e.g. "setCategory AVAudioSessionCategoryPlayback".
class FakeAudioSession : public platform::AudioSession {
  public:
    bool setCategory(std::string_view category, std::string* error) override {
        calls.push_back("setCategory " + std::string(category));
        return answer(failCategory, error);
    }
    bool setCategory(std::string_view category, std::uint32_t options,
                     std::string* error) override {
        calls.push_back("setCategory " + std::string(category) + " " + std::to_string(options));
        return answer(false, error);
    }
    bool setMode(std::string_view mode, std::string* error) override {
        calls.push_back("setMode " + std::string(mode));
        return answer(false, error);
    }
    bool setActive(bool active, std::string* error) override {
        calls.push_back(active ? "setActive 1" : "setActive 0");
        return answer(failActive, error);
    }

    bool failCategory = false;
    bool failActive = false;
    std::vector<std::string> calls;

  private:
    static bool answer(bool fail, std::string* error) {
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
