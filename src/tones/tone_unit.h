#pragma once

#include <memory>

#include "platform/audio_output.h"
#include "platform/stream_format.h"
#include "tones/tone_generator.h"

namespace strumwise::tones {

// 44100 Hz, signed 16-bit packed linear PCM, two interleaved channels: 4 bytes per frame.
inline constexpr platform::StreamFormat kToneStreamFormat{
    .sampleRate = kToneSampleRate,
    .formatID = platform::kFormatLinearPCM,
    .formatFlags = platform::kFormatFlagIsSignedInteger | platform::kFormatFlagIsPacked,
    .bytesPerPacket = 4,
    .framesPerPacket = 1,
    .bytesPerFrame = 4,
    .channelsPerFrame = 2,
    .bitsPerChannel = 16,
    .reserved = 0,
};

// Owns the output unit that plays a ToneGenerator. All calls on the main thread. The generator
// and the factory must outlive the ToneUnit.
class ToneUnit {
  public:
    ToneUnit(platform::AudioOutputUnitFactory& factory, ToneGenerator& generator);
    ~ToneUnit();
    ToneUnit(const ToneUnit&) = delete;
    ToneUnit& operator=(const ToneUnit&) = delete;

    // Creates the output unit, gives it the tone format and the generator's render callback and
    // initializes it, without starting it. Later calls keep the unit they made rather than
    // leaving a second one behind, and silence it if it is playing, so the screen can treat every
    // set-up as "silent, ready to play". When the platform has no output unit the tone stays
    // silent; the next call tries again.
    void setupAudio();

    // Start and stop the unit; nothing happens before a unit exists. The start is passed on even
    // while the unit plays.
    void start();
    void stop();

    bool hasUnit() const { return unit_ != nullptr; }
    // Whether start was the last of start/stop passed to the unit.
    bool isPlaying() const { return playing_; }
    // Whether the player asked for a tone that cannot sound: there is no unit, or its start
    // failed or was given up. A stop clears it.
    bool outputFailed();

  private:
    platform::AudioOutputUnitFactory& factory_;
    ToneGenerator& generator_;
    std::unique_ptr<platform::AudioOutputUnit> unit_;
    bool playing_ = false;
    bool startedWithoutUnit_ = false;
};

}  // namespace strumwise::tones
