#pragma once

#include <cstdint>
#include <span>

namespace strumwise::pitch {

// Tells a block that holds one steady note from one that holds the edge of a note. A block that
// straddles a pluck's start, its end or a new pluck over the old one refines to a pitch between
// the two sounds; such a block shows itself by its level, which jumps between its two halves, or
// by its pitch, which differs between its halves. A block is steady when neither happens, judged
// from the block alone, so that the first whole block of a pluck can be shown. A block that is
// not steady as a whole may still end in enough of a new note alone to be read (see
// noteStartIn): it is steady then, with that part's own pitch, if the part is steady by the same
// tests. Main thread only; allocates nothing.
class SteadyNote {
  public:
    explicit SteadyNote(double sampleRate) : sampleRate_(sampleRate) {}

    // The largest rise of RMS level from the first half to the second that a steady block shows:
    // more is a note starting inside it.
    static constexpr double kLevelRatio = 1.6;
    // The largest fall of level between the halves: a banjo string dies away by up to this in
    // its first half second; more is a note stopping inside the block.
    static constexpr double kFallingLevelRatio = 2.0;
    // How far the pitches of a steady block's two halves may lie apart. A string's pitch wanders
    // by a few cents in its first half second as its swing settles; this keeps the wandering off
    // the meter while letting a sampled banjo's steady note through.
    static constexpr double kAgreementCents = 3.0;

    // Judges a newly captured block and its refined pitch (0 when it had none).
    void observe(std::span<const std::int16_t> block, double refinedHertz);
    // Whether the last observed block holds one steady note; false before any.
    bool steady() const { return steady_; }
    // The pitch of that note in Hz: the block's refined pitch or, where a note began inside the
    // block, the pitch of the part after its start.
    double hertz() const { return hertz_; }

  private:
    bool halvesAgree(std::span<const std::int16_t> samples, double hertz) const;
    void readNoteStartedInside(std::span<const std::int16_t> block, double refinedHertz);

    double sampleRate_;
    double hertz_ = 0.0;
    bool steady_ = false;
};

}  // namespace strumwise::pitch
