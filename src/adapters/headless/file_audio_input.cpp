#include "adapters/headless/file_audio_input.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <deque>
#include <mutex>
#include <span>

#include "base/level_meter.h"
#include "base/text_format.h"

namespace strumwise::platform::headless {
namespace {

constexpr std::uint32_t kBytesPerSample = 2;

class FileAudioInputQueue final : public AudioInputQueue {
  public:
    FileAudioInputQueue(VirtualRunLoop& runLoop, std::shared_ptr<const MicrophoneSignal> signal,
                        AudioInputCallback callback, void* userData)
        : runLoop_(runLoop), signal_(std::move(signal)), callback_(callback), userData_(userData) {}

    ~FileAudioInputQueue() override {
        cancelDelivery();
        cancelTap();
    }

    AudioQueueBuffer* allocateBuffer(std::uint32_t byteCapacity) override {
        auto owned = std::make_unique<Owned>();
        owned->storage.assign(byteCapacity, 0);
        owned->buffer.audioData = owned->storage.data();
        owned->buffer.capacity = byteCapacity;
        buffers_.push_back(std::move(owned));
        return &buffers_.back()->buffer;
    }

    void enqueueBuffer(AudioQueueBuffer& buffer) override {
        std::lock_guard lock(mutex_);
        enqueued_.push_back(&buffer);
    }

    void start() override {
        if (running_.exchange(true)) {
            return;
        }
        // Blocks heard before now are gone; the next one is the first not yet heard.
        const Micros now = runLoop_.now();
        while (FileAudioInputQueueFactory::blockTime(*signal_, nextBlock_) < now) {
            ++nextBlock_;
        }
        scheduleNextBlock();
        if (tap_ != nullptr) {
            while (FileAudioInputQueueFactory::pieceTime(*signal_, nextPiece_) < now) {
                ++nextPiece_;
            }
            scheduleNextPiece();
        }
    }

    void stop() override {
        running_.store(false);
        cancelDelivery();
        cancelTap();
    }

    bool setTap(AudioTapCallback tap, void* userData) override {
        tap_ = tap;
        tapUserData_ = userData;
        return true;
    }

    std::optional<bool> isRunning() const override { return running_.load(); }

    std::int32_t setLevelMeteringEnabled(bool enabled) override {
        metering_ = enabled;
        return 0;
    }

    void currentLevelMeter(LevelMeterState* levels, std::uint32_t channels) const override {
        for (std::uint32_t i = 0; i < channels; ++i) {
            levels[i] = metering_ ? level_ : LevelMeterState{};
        }
    }

  private:
    struct Owned {
        std::vector<std::uint8_t> storage;
        AudioQueueBuffer buffer;
    };

    void scheduleNextBlock() {
        const Micros due = FileAudioInputQueueFactory::blockTime(*signal_, nextBlock_);
        pending_ = runLoop_.scheduleAt(due, [this] { deliverBlock(); });
    }

    void cancelDelivery() {
        if (pending_ != 0) {
            runLoop_.cancel(pending_);
            pending_ = 0;
        }
    }

    // The pieces run on a schedule of their own beside the blocks' schedule, so that every block is
    // delivered exactly when it always was.
    void scheduleNextPiece() {
        const Micros due = FileAudioInputQueueFactory::pieceTime(*signal_, nextPiece_);
        pendingPiece_ = runLoop_.scheduleAt(due, [this] { deliverPiece(); });
    }

    void cancelTap() {
        if (pendingPiece_ != 0) {
            runLoop_.cancel(pendingPiece_);
            pendingPiece_ = 0;
        }
    }

    void deliverPiece() {
        pendingPiece_ = 0;
        const std::int64_t piece = nextPiece_++;
        scheduleNextPiece();
        constexpr std::int64_t kPiecesPerBlock =
            FileAudioInputQueueFactory::kBlockSamples / FileAudioInputQueueFactory::kPieceSamples;
        const std::span<const std::int16_t> block = blockSamples(piece / kPiecesPerBlock);
        const std::size_t first = static_cast<std::size_t>(piece % kPiecesPerBlock) *
                                  FileAudioInputQueueFactory::kPieceSamples;
        std::array<std::int16_t, FileAudioInputQueueFactory::kPieceSamples> samples{};
        if (first < block.size()) {
            const std::size_t available =
                std::min<std::size_t>(samples.size(), block.size() - first);
            std::copy_n(block.begin() + static_cast<std::ptrdiff_t>(first), available,
                        samples.begin());
        }
        tap_(tapUserData_, samples.data(), static_cast<std::uint32_t>(samples.size()));
    }

    void deliverBlock() {
        pending_ = 0;
        const std::int64_t block = nextBlock_++;
        AudioQueueBuffer* buffer = nullptr;
        {
            std::lock_guard lock(mutex_);
            if (!enqueued_.empty()) {
                buffer = enqueued_.front();
                enqueued_.pop_front();
            }
        }
        // Schedule first: the callback may stop the queue, which cancels what is pending.
        scheduleNextBlock();
        if (buffer == nullptr) {
            return;
        }
        fill(*buffer, block);
        callback_(userData_, *this, *buffer);
    }

    void fill(AudioQueueBuffer& buffer, std::int64_t block) {
        const std::size_t capacitySamples = buffer.capacity / kBytesPerSample;
        const std::size_t count =
            std::min<std::size_t>(capacitySamples, FileAudioInputQueueFactory::kBlockSamples);
        auto* out = static_cast<std::int16_t*>(buffer.audioData);
        const std::span<const std::int16_t> source = blockSamples(block);
        const std::size_t available = std::min(count, source.size());
        if (available > 0) {
            std::memcpy(out, source.data(), available * kBytesPerSample);
        }
        std::fill(out + available, out + count, std::int16_t{0});
        buffer.byteSize = static_cast<std::uint32_t>(count * kBytesPerSample);
        level_ = measureLevel(std::span<const std::int16_t>(out, count));
    }

    std::span<const std::int16_t> blockSamples(std::int64_t block) const {
        if (signal_->blocks) {
            return signal_->blocks->block(block);
        }
        const auto& samples = signal_->samples;
        const std::size_t first =
            static_cast<std::size_t>(block) * FileAudioInputQueueFactory::kBlockSamples;
        if (first >= samples.size()) {
            return {};
        }
        return std::span<const std::int16_t>(samples).subspan(
            first, std::min<std::size_t>(FileAudioInputQueueFactory::kBlockSamples,
                                         samples.size() - first));
    }

    VirtualRunLoop& runLoop_;
    std::shared_ptr<const MicrophoneSignal> signal_;
    AudioInputCallback callback_;
    void* userData_;

    std::vector<std::unique_ptr<Owned>> buffers_;
    std::mutex mutex_;
    std::deque<AudioQueueBuffer*> enqueued_;
    std::atomic<bool> running_{false};
    bool metering_ = false;
    LevelMeterState level_;
    std::int64_t nextBlock_ = 0;
    VirtualRunLoop::EventId pending_ = 0;
    AudioTapCallback tap_ = nullptr;
    void* tapUserData_ = nullptr;
    std::int64_t nextPiece_ = 0;
    VirtualRunLoop::EventId pendingPiece_ = 0;
};

bool isCaptureFormat(const StreamFormat& format, double sampleRate) {
    return format.sampleRate == sampleRate && format.formatID == kFormatLinearPCM &&
           (format.formatFlags & kFormatFlagIsSignedInteger) != 0 && format.channelsPerFrame == 1 &&
           format.bitsPerChannel == 16 && format.bytesPerFrame == kBytesPerSample;
}

}  // namespace

ReaderBlocks::ReaderBlocks(std::unique_ptr<SampleReader> reader)
    : reader_(std::move(reader)), block_(FileAudioInputQueueFactory::kBlockSamples) {}

std::span<const std::int16_t> ReaderBlocks::block(std::int64_t index) {
    if (index < blockIndex_) {
        return {};
    }
    while (blockIndex_ < index) {
        blockLength_ = reader_ ? reader_->read(block_) : 0;
        ++blockIndex_;
        if (blockLength_ == 0) {
            // The reader is spent: every later block is silence too.
            blockIndex_ = index;
        }
    }
    return std::span<const std::int16_t>(block_.data(), blockLength_);
}

FileAudioInputQueueFactory::FileAudioInputQueueFactory(
    VirtualRunLoop& runLoop, Log& log, std::shared_ptr<const MicrophoneSignal> signal)
    : runLoop_(runLoop), log_(log), signal_(std::move(signal)) {
    if (!signal_) {
        signal_ = std::make_shared<const MicrophoneSignal>();
    }
}

void FileAudioInputQueueFactory::setSignal(std::shared_ptr<const MicrophoneSignal> signal) {
    signal_ = signal ? std::move(signal) : std::make_shared<const MicrophoneSignal>();
}

std::unique_ptr<AudioInputQueue> FileAudioInputQueueFactory::newInput(const StreamFormat& format,
                                                                      AudioInputCallback callback,
                                                                      void* userData) {
    if (callback == nullptr || !isCaptureFormat(format, signal_->sampleRate)) {
        log_.write(
            formatText("Audio input: the headless microphone records 16-bit mono at %.0f Hz only",
                       signal_->sampleRate));
        return nullptr;
    }
    return std::make_unique<FileAudioInputQueue>(runLoop_, signal_, callback, userData);
}

Micros FileAudioInputQueueFactory::pieceTime(const MicrophoneSignal& signal, std::int64_t index) {
    const long double seconds = static_cast<long double>(index + 1) * kPieceSamples /
                                static_cast<long double>(signal.sampleRate);
    return signal.origin + static_cast<Micros>(std::llround(seconds * kMicrosPerSecond));
}

Micros FileAudioInputQueueFactory::blockTime(const MicrophoneSignal& signal, std::int64_t index) {
    // Exact rational arithmetic, rounded once, so block times never drift.
    const long double seconds = static_cast<long double>(index + 1) * kBlockSamples /
                                static_cast<long double>(signal.sampleRate);
    return signal.origin + static_cast<Micros>(std::llround(seconds * kMicrosPerSecond));
}

}  // namespace strumwise::platform::headless
