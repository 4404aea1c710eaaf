#include "adapters/desktop/audio/file_audio_input.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <span>

#include "base/level_meter.h"

namespace strumwise::platform::desktop {

FileAudioInputQueue::FileAudioInputQueue(std::unique_ptr<SampleReader> reader, double sampleRate,
                                         AudioInputCallback callback, void* userData)
    : reader_(std::move(reader)),
      skipped_(kBlockSamples),
      sampleRate_(sampleRate),
      callback_(callback),
      userData_(userData) {}

FileAudioInputQueue::~FileAudioInputQueue() {
    stop();
}

AudioQueueBuffer* FileAudioInputQueue::allocateBuffer(std::uint32_t byteCapacity) {
    if (byteCapacity < sizeof(std::int16_t)) {
        return nullptr;
    }
    std::lock_guard lock(mutex_);
    auto& owned = buffers_.emplace_back();
    owned.storage.assign(byteCapacity / sizeof(std::int16_t), 0);
    owned.buffer.audioData = owned.storage.data();
    owned.buffer.capacity = byteCapacity;
    return &owned.buffer;
}

void FileAudioInputQueue::enqueueBuffer(AudioQueueBuffer& buffer) {
    std::lock_guard lock(mutex_);
    const bool ours = std::any_of(buffers_.begin(), buffers_.end(), [&](const OwnedBuffer& owned) {
        return &owned.buffer == &buffer;
    });
    if (ours) {
        enqueued_.push_back(&buffer);
    }
}

void FileAudioInputQueue::start() {
    if (running_.exchange(true)) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = false;
    }
    thread_ = std::thread([this] { deliverBlocks(); });
}

void FileAudioInputQueue::stop() {
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
    running_ = false;
}

std::int32_t FileAudioInputQueue::setLevelMeteringEnabled(bool enabled) {
    std::lock_guard lock(mutex_);
    metering_ = enabled;
    return 0;
}

void FileAudioInputQueue::currentLevelMeter(LevelMeterState* levels, std::uint32_t channels) const {
    if (levels == nullptr) {
        return;
    }
    std::lock_guard lock(mutex_);
    for (std::uint32_t channel = 0; channel < channels; ++channel) {
        levels[channel] = metering_ ? level_ : LevelMeterState{};
    }
}

void FileAudioInputQueue::deliverBlocks() {
    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    const std::chrono::duration<double> period(kBlockSamples / sampleRate_);
    for (std::uint64_t block = 1;; ++block) {
        const auto due = started + std::chrono::duration_cast<Clock::duration>(
                                       period * static_cast<double>(block));
        AudioQueueBuffer* buffer = nullptr;
        {
            std::unique_lock lock(mutex_);
            if (wake_.wait_until(lock, due, [this] { return stopRequested_; })) {
                return;
            }
            if (!enqueued_.empty()) {
                buffer = enqueued_.front();
                enqueued_.pop_front();
            }
        }
        if (buffer == nullptr) {
            reader_->read(skipped_);  // dropped: time moves on all the same
            continue;
        }
        fill(*buffer);
        callback_(userData_, *this, *buffer);
    }
}

void FileAudioInputQueue::fill(AudioQueueBuffer& buffer) {
    const std::size_t count =
        std::min<std::size_t>(kBlockSamples, buffer.capacity / sizeof(std::int16_t));
    auto* out = static_cast<std::int16_t*>(buffer.audioData);
    const std::size_t copied = reader_->read(std::span<std::int16_t>(out, count));
    std::fill(out + copied, out + count, std::int16_t{0});
    buffer.byteSize = static_cast<std::uint32_t>(count * sizeof(std::int16_t));

    const LevelMeterState level = measureLevel(std::span<const std::int16_t>(out, count));
    std::lock_guard lock(mutex_);
    level_ = level;
}

FileAudioInputFactory::FileAudioInputFactory(SampleReaderOpener open, double sampleRate, Log& log)
    : open_(std::move(open)), sampleRate_(sampleRate), log_(log) {}

std::unique_ptr<AudioInputQueue> FileAudioInputFactory::newInput(const StreamFormat& format,
                                                                 AudioInputCallback callback,
                                                                 void* userData) {
    const bool supported = format.formatID == kFormatLinearPCM && format.channelsPerFrame == 1 &&
                           format.bitsPerChannel == 16 && format.sampleRate == sampleRate_ &&
                           (format.formatFlags & kFormatFlagIsSignedInteger) != 0;
    if (!supported || callback == nullptr) {
        log_.write("The input file cannot feed this capture format");
        return nullptr;
    }
    std::unique_ptr<SampleReader> reader = open_ ? open_() : nullptr;
    if (!reader) {
        log_.write("The input file cannot be read again");
        return nullptr;
    }
    return std::make_unique<FileAudioInputQueue>(std::move(reader), sampleRate_, callback,
                                                 userData);
}

}  // namespace strumwise::platform::desktop
