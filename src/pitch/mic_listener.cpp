#include "pitch/mic_listener.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

#include "base/text_format.h"

namespace strumwise::pitch {

namespace {

using platform::AudioInputQueue;
using platform::AudioSession;

bool queueIsRunning(const AudioInputQueue& queue) {
    const std::optional<bool> running = queue.isRunning();
    return running.value_or(false);
}

}  // namespace

MicListener::MicListener(platform::AudioInputQueueFactory& factory, AudioSession* session,
                         platform::Log& log)
    : factory_(factory), session_(session), log_(log), estimator_(kSampleRate) {
    // The format is known from the start, so an estimate made before the first listen already
    // converts bins at the capture rate.
    setupFormat();
    setUpSession();
}

MicListener::~MicListener() {
    stop();
    if (session_ != nullptr) {
        std::string error;
        if (!session_->setActive(false, &error)) {
            log_.write(error);
        }
    }
}

void MicListener::setUpSession() {
    // Some platforms have no session object; there is nothing to set up then.
    if (session_ == nullptr) {
        return;
    }
    std::string error;
    if (!session_->setCategory(AudioSession::kCategoryPlayback, &error)) {
        log_.write(formatText("init Error setting category: %s", error.c_str()));
        return;
    }
    session_->setCategory(AudioSession::kCategoryPlayAndRecord,
                          AudioSession::kOptionDefaultToSpeaker, nullptr);
    error.clear();
    if (!session_->setActive(true, &error)) {
        log_.write(error);
    }
}

void MicListener::listen() {
    listenRequested_ = true;
    if (!queue_) {
        setupQueue();
    }
    if (queue_) {
        queue_->start();
    }
}

void MicListener::pause() {
    if (isListening()) {
        queue_->stop();
    }
}

void MicListener::stop() {
    // Destroying the queue waits for a running capture callback and prevents further ones.
    queue_.reset();
    listenRequested_ = false;
}

MicListener::Status MicListener::status() const {
    if (!listenRequested_) {
        return Status::Idle;
    }
    if (!queue_) {
        return Status::NoMicrophone;
    }
    if (queue_->reconnecting()) {
        return heard_ ? Status::Reconnecting : Status::NoMicrophone;
    }
    return Status::Capturing;
}

bool MicListener::isListening() const {
    return queue_ != nullptr && queueIsRunning(*queue_);
}

const platform::LevelMeterState* MicListener::levels() {
    if (!isListening()) {
        return nullptr;
    }
    updateLevels();
    return levels_.get();
}

void MicListener::updateLevels() {
    if (queue_ && levels_) {
        queue_->currentLevelMeter(levels_.get(), format_.channelsPerFrame);
    }
}

float MicListener::averagePower() {
    if (!isListening()) {
        return 0.0f;
    }
    const platform::LevelMeterState* meters = levels();
    return meters != nullptr ? meters[0].averagePower : 0.0f;
}

float MicListener::peakPower() {
    if (!isListening()) {
        return 0.0f;
    }
    const platform::LevelMeterState* meters = levels();
    return meters != nullptr ? meters[0].peakPower : 0.0f;
}

float MicListener::frequency() {
    std::array<std::int16_t, kBufferBytes / 2> snapshot;
    std::uint32_t length = 0;
    std::uint64_t block = 0;
    {
        std::lock_guard lock(audioMutex_);
        snapshot = audioData_;
        length = audioDataLength_;
        block = blocksStored_;
    }
    if (length == 0) {
        refinedFrequency_ = 0.0;
        return 0.0f;
    }
    float hertz = estimator_.getFreqFromBuffer(snapshot.data(), length);
    if (octaveCheck_) {
        hertz = estimator_.checkOctave();
    }
    refinedFrequency_ = estimator_.refinedFrequency();
    // The tick asks about three times per block; each block is judged once, from its own
    // samples alone.
    if (block != blocksJudged_) {
        blocksJudged_ = block;
        steadyNote_.observe(std::span(snapshot.data(), length / 2), refinedFrequency_);
    }
    return hertz;
}

void MicListener::setAudioBuffer(const std::int16_t* samples, std::uint32_t length) {
    const std::uint32_t bytes = std::min(length, kBufferBytes);
    std::lock_guard lock(audioMutex_);
    std::memcpy(audioData_.data(), samples, bytes);
    audioDataLength_ = bytes;
    ++blocksStored_;
}

void MicListener::captureCallback(void* userData, AudioInputQueue& queue,
                                  platform::AudioQueueBuffer& buffer) {
    auto* listener = static_cast<MicListener*>(userData);
    // Ask the queue that delivered the buffer rather than the listener's queue_: the main
    // thread owns queue_ and may be disposing of it right now. Disposal waits for this callback.
    if (!queueIsRunning(queue)) {
        return;  // a stopped queue's buffer is dropped and not refilled
    }
    listener->heard_ = true;
    listener->setAudioBuffer(static_cast<const std::int16_t*>(buffer.audioData),
                             std::min(buffer.byteSize, buffer.capacity));
    queue.enqueueBuffer(buffer);
}

void MicListener::setupQueue() {
    if (queue_) {
        return;
    }
    setupFormat();
    queue_ = factory_.newInput(format_, &MicListener::captureCallback, this);
    if (!queue_) {
        return;  // the factory has logged why; the listener stays silent
    }
    setupBuffers();
    setupMetering();
}

void MicListener::setupFormat() {
    format_ = platform::StreamFormat{
        .sampleRate = kSampleRate,
        .formatID = platform::kFormatLinearPCM,
        .formatFlags = platform::kFormatFlagIsSignedInteger | platform::kFormatFlagIsPacked,
        .bytesPerPacket = 2,
        .framesPerPacket = 1,
        .bytesPerFrame = 2,
        .channelsPerFrame = 1,
        .bitsPerChannel = 16,
        .reserved = 0,
    };
}

void MicListener::setupBuffers() {
    for (std::uint32_t i = 0; i < kBufferCount; ++i) {
        if (platform::AudioQueueBuffer* buffer = queue_->allocateBuffer(kBufferBytes)) {
            queue_->enqueueBuffer(*buffer);
        }
    }
}

void MicListener::setupMetering() {
    levels_ = std::make_unique<platform::LevelMeterState[]>(format_.channelsPerFrame);
    const std::int32_t status = queue_->setLevelMeteringEnabled(true);
    log_.write(formatText("AudioQueueSetProperty error: %d", static_cast<int>(status)));
}

}  // namespace strumwise::pitch
