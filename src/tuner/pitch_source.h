#pragma once

namespace strumwise::tuner {

// What the tuner tick needs of the microphone: the level and the pitch of the latest sound.
// The microphone listener provides both; tests feed exact values through their own source.
class PitchSource {
  public:
    virtual ~PitchSource() = default;
    // The level meter's average power of the first channel, linear 0..1; 0 when not listening.
    virtual float averagePower() = 0;
    // The pitch estimate of the latest captured block, in Hz; 0 before the first block.
    virtual float frequency() = 0;
    // The last frequency() refined between the estimate's transform bins, in Hz, for the tuning
    // meter; 0 when that estimate had no block. Where the block holds a steady note that began
    // inside it, that note's own pitch. Reading it runs no analysis.
    virtual double refinedFrequency() = 0;
    // Whether the block behind the last frequency() holds one steady note rather than the edge
    // of one, for the tuning meter. A source that cannot tell says yes.
    virtual bool holdsSteadyNote() { return true; }
};

}  // namespace strumwise::tuner
