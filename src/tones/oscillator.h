#pragma once

#include <cstdint>

namespace strumwise::tones {

inline constexpr double kToneSampleRate = 44100.0;

// Values of the wave selector `curTone`: the second wave shape blended with the sine. Any other
// value gives a pure sine.
inline constexpr std::uint64_t kWaveSine = 0;
inline constexpr std::uint64_t kWaveTriangle = 1;
inline constexpr std::uint64_t kWaveSawtooth = 2;
inline constexpr std::uint64_t kWaveSquare = 3;

// The largest sample magnitude the oscillator produces: a blend of exactly +-1.
inline constexpr std::int16_t kToneCeiling = 29725;

// The oscillator of the reference tone: a sine blended half and half with a second wave shape.
// All state carries over from one frame to the next, so consecutive calls, buffers and frequency
// changes continue one waveform without a jump. It is plain data, owned by whichever thread
// renders; it never allocates, locks or blocks.
class Oscillator {
  public:
    struct State {
        // Share of the second wave shape in the blend, in percent.
        float harmonicMixPercentage = 50.0f;
        // Cycles per frame, recomputed from the frequency every frame.
        double phaseStep = 0.0;
        // Radians, kept within 0..2pi (exactly 2pi is allowed).
        double tonePhase = 0.0;
        double triangleValue = 0.0;
        // +1 while the triangle rises, -1 while it falls.
        float triangleDirection = 1.0f;
        double sawtoothValue = 0.0;
        // 0 until the first frame has been rendered, then +1 or -1.
        double squareValue = 0.0;
    };

    // The next sample at `frequency` Hz with second wave shape `waveShape` (a `curTone` value).
    // The frame blends the sine of the current phase with the other wave's value from the end of
    // the previous frame; the waves advance after the sample is taken.
    std::int16_t nextSample(float frequency, std::uint64_t waveShape);

  private:
    State state_;
};

}  // namespace strumwise::tones
