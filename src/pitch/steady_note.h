#pragma once

#include <cstdint>
#include <span>

namespace strumwise::pitch {

// Tells a block that holds one steady note from one that holds the edge of a note. A block that
// straddles a pluck's start, its end or a new pluck over the old one refines to a pitch between
// the two sounds; such a block shows itself by its level, which jumps between its two halves,
// or by its pitch, which differs from the block before it. A block is steady when neither
// happens; a fast decay's fall between halves is told from a note's end by the fall from the
// block before. The first loud block of a note has no note before it to agree with: when the block
// before was far quieter, only the level test applies. Main thread only; allocates nothing.
class SteadyNote {
  public:
    // The largest ratio of the two halves' RMS levels, either way, that a steady block shows.
    // A plucked string mostly dies away by less within one half-block; a faster one is allowed
    // a larger fall below.
    static constexpr double kLevelRatio = 1.6;
    // A string dying away fast may lose up to this ratio between halves, where the block lost
    // as much from the one before: kDecaySlack times the energy ratio between the blocks must
    // cover the square of the halves' ratio, as it does in a smooth decay.
    static constexpr double kFallingLevelRatio = 2.0;
    static constexpr double kDecaySlack = 1.5;
    // How far the refined pitches of two successive steady blocks may lie apart.
    static constexpr double kAgreementCents = 2.0;
    // A block whose level is this many times that of the block before it starts a note.
    static constexpr double kNoteStartRatio = 4.0;
    // The first block of a note must not rise by more than kLevelRatio from one of these parts
    // of its first quarter to the next, or a new pluck began inside it.
    static constexpr std::size_t kOnsetParts = 16;
    // A block before the note that is this many times softer in energy (30 dB) held no tail
    // loud enough to bend the new note's pitch.
    static constexpr double kTailRatio = 1000.0;

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
