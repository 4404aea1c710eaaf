#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "pitch/note_reader.h"
#include "pitch/pitch_estimator.h"
#include "platform/audio_input.h"
#include "platform/audio_session.h"
#include "platform/log.h"
#include "platform/stream_format.h"

namespace strumwise::pitch {

// The microphone listener: records 16-bit mono linear PCM at 14039 Hz through an audio input
// queue with three 8192-byte buffers, keeps the latest filled block, meters the level and
// estimates the pitch of the latest block on request.
//
// Threads: the capture callback and the queue's tap run on the queue's thread and only copy,
// under the listener's lock. Everything else (listen, pause, stop, the level and the estimate) runs
// on one thread, the main thread.
class MicListener {
  public:
    static constexpr double kSampleRate = 14039.0;
    static constexpr std::uint32_t kBufferCount = 3;
    static constexpr std::uint32_t kBufferBytes = 8192;  // 4096 samples, 0.29 s

    // A listener of its own, for tests and tools. `session` may be null when the platform has
    // no audio session. Sets the session up for play-and-record and activates it.
    MicListener(platform::AudioInputQueueFactory& factory, platform::AudioSession* session,
                platform::Log& log);
    // Disposes of the queue (no capture callback runs after this) and deactivates the session.
    ~MicListener();

    MicListener(const MicListener&) = delete;
    MicListener& operator=(const MicListener&) = delete;
    MicListener(MicListener&&) = delete;
    MicListener& operator=(MicListener&&) = delete;

    // Creates the queue on first use (or after stop) and starts it. When no queue can be made,
    // the listener stays not listening; the factory has said why in the log.
    void listen();
    // Stops a running queue and keeps it with its buffers; listen() starts it again.
    void pause();
    // Disposes of the queue; listen() builds a new one.
    void stop();
    // Whether a queue exists and reports that it is running; a failed query counts as no.
    bool isListening() const;

    // What the player should know about the microphone. NoMicrophone: listening was asked for
    // but nothing has been heard, because no queue could be made or its device cannot be opened.
    // Reconnecting: capture ran and its device was lost; the queue is getting it back.
    enum class Status { Idle, Capturing, NoMicrophone, Reconnecting };
    Status status() const;

    // The meter readings, one per channel, refreshed from the queue; nullptr when not listening.
    const platform::LevelMeterState* levels();
    void updateLevels();
    // Channel 0's average (RMS) or peak power on a linear 0..1 scale; 0 when not listening.
    float averagePower();
    float peakPower();

    // The pitch of the latest stored block in Hz; 0 when no block has arrived yet. The block is
    // copied under the lock and analysed outside it, so capture never waits for the analysis.
    // When capture pauses or stops, the last block keeps being analysed. The estimate's octave
    // is checked (see PitchEstimator::checkOctave) unless setOctaveCheck(false) said otherwise.
    // A block asked about again is not analysed again: the same samples give the same
    // estimate, so the last one is answered.
    float frequency();
    // Whether frequency() checks the estimate's octave; on from construction.
    void setOctaveCheck(bool on) { octaveCheck_ = on; }
    bool octaveCheck() const { return octaveCheck_; }
    // What the latest audio holds, for the screen's one reading (see NoteReader): read from the
    // queue's tap, which hands over each short piece of audio as it is captured, or from the
    // blocks themselves where the queue has no tap. Read anew once new audio has arrived, at
    // most once per piece; asking again before then gives the same reading.
    NoteReading noteReading();
    // Stores a block of `length` bytes, replacing the previous one. Blocks longer than one
    // capture buffer are cut to its 8192 bytes. Called from the capture thread.
    void setAudioBuffer(const std::int16_t* samples, std::uint32_t length);

    // The analysis steps, for inspection; see PitchEstimator.
    float getFreqFromBuffer(const std::int16_t* samples, std::uint32_t length) {
        return estimator_.getFreqFromBuffer(samples, length);
    }
    void performFFT(const std::int16_t* samples, std::uint32_t totalSamples) {
        estimator_.performFFT(samples, totalSamples);
    }
    void addHarmonics() { estimator_.addHarmonics(); }
    std::uint32_t findTopSpike() const { return estimator_.findTopSpike(); }
    const double* freq_db() const { return estimator_.freq_db(); }
    const double* freq_db_harmonic() const { return estimator_.freq_db_harmonic(); }

  private:
    static void captureCallback(void* userData, platform::AudioInputQueue& queue,
                                platform::AudioQueueBuffer& buffer);
    static void tapCallback(void* userData, const std::int16_t* samples, std::uint32_t count);
    // Appends to the latest audio the reading looks at; the caller holds audioMutex_.
    void appendRecent(const std::int16_t* samples, std::uint32_t count);

    void setUpSession();
    void setupQueue();
    void setupFormat();
    void setupBuffers();
    void setupMetering();

    platform::AudioInputQueueFactory& factory_;
    platform::AudioSession* session_;
    platform::Log& log_;

    // Main thread only.
    std::unique_ptr<platform::LevelMeterState[]> levels_;
    std::unique_ptr<platform::AudioInputQueue> queue_;
    // The capture format: 14039 Hz, linear PCM, signed packed 16-bit, mono.
    platform::StreamFormat format_;
    bool listenRequested_ = false;
    // Set by the capture thread once any block has arrived.
    std::atomic<bool> heard_ = false;

    // Shared with the capture thread: the latest block and its byte length.
    std::mutex audioMutex_;
    std::array<std::int16_t, kBufferBytes / 2> audioData_{};
    std::uint32_t audioDataLength_ = 0;
    // Counts the blocks stored, so that the analysis can tell a new block from one it has seen.
    std::uint64_t blocksStored_ = 0;
    // The latest audio, a ring of the last kHistorySamples samples, and how many were captured
    // in all; fed by the tap, or by the blocks while the queue has none.
    std::array<std::int16_t, NoteReader::kHistorySamples> recent_{};
    std::uint64_t recentCount_ = 0;
    // Set on the main thread before the queue starts; read by the capture thread.
    std::atomic<bool> queueTaps_ = false;

    // Main thread only.
    PitchEstimator estimator_;
    bool octaveCheck_ = true;
    // The block the last estimate was made from, with the octave check as it was, and its answer.
    std::uint64_t blockEstimated_ = 0;
    bool estimatedWithOctaveCheck_ = true;
    float estimate_ = 0.0f;
    NoteReader noteReader_{kSampleRate};
    std::array<std::int16_t, NoteReader::kHistorySamples> recentCopy_{};
    std::uint64_t recentRead_ = 0;
    NoteReading reading_;
};

}  // namespace strumwise::pitch
