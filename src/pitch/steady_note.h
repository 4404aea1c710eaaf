#pragma once

#include <cstdint>
#include <span>

namespace strumwise::pitch {

// Tells a block that holds one steady note from one that holds the edge of a note. A block that
// straddles a pluck's start, its end or a new pluck over the old one refines to a pitch between
// the two sounds; such a block shows itself by its level, which jumps between its two halves,
// or by its pitch, which differs from the block before it. A block is steady when neither
// happens. The first loud block of a note has no note before it to agree with: when the block
// before was far quieter, only the level test applies. Main thread only; allocates nothing.
class SteadyNote {
  public:
    // The largest ratio of the two halves' RMS levels, either way, that a steady block shows.
    // A plucked string dies away by less within one half-block.
    static constexpr double kLevelRatio = 1.6;
    // How far the refined pitches of two successive steady blocks may lie apart.
    static constexpr double kAgreementCents = 2.0;
    // A block whose level is this many times that of the block before it starts a note.
    static constexpr double kNoteStartRatio = 4.0;

    // Judges a newly captured block and its refined pitch (0 when it had none).
    void observe(std::span<const std::int16_t> block, double refinedHertz);
    // Whether the last observed block holds one steady note; false before any.
    bool steady() const { return steady_; }

  private:
    double previousHertz_ = 0.0;
    double previousEnergy_ = 0.0;
    bool steady_ = false;
};

}  // namespace strumwise::pitch
