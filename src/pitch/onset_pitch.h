#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace strumwise::pitch {

// Audio that holds a new pluck over the end of the note before it reads as neither: its
// transform mixes the two. The note reader looks at what follows the last pluck's start alone,
// and this finds that start. Allocation free; main thread.

// The samples are looked at in parts of this many (9 ms): enough to hold a period of the lowest
// string's note, short enough to place a pluck's start closely.
inline constexpr std::size_t kOnsetPartSamples = 128;
// A part whose energy is this many times that of the part before it holds a pluck's start (6 dB
// louder within 9 ms, which a ringing string does not do).
inline constexpr double kOnsetRise = 4.0;
// Where the block's last note begins, as the index of the first sample after the part in which
// its level last rose by kOnsetRise; nothing when the level never rose so within the block.
std::optional<std::size_t> noteStartIn(std::span<const std::int16_t> block);

}  // namespace strumwise::pitch
