#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace strumwise::pitch {

// A block that holds a new pluck over the end of the note before it reads as neither: its
// transform mixes the two. Yet a pluck that begins early in a block leaves most of the block to
// the new note alone, and the meter need not wait a whole block (0.29 s) more to show it. These
// find where the new note begins and measure the pitch of what follows, by a Fourier sum over
// just those samples. Allocation free; main thread.

// The samples are looked at in parts of this many (9 ms): enough to hold a period of the lowest
// string's note, short enough to place a pluck's start closely.
inline constexpr std::size_t kOnsetPartSamples = 128;
// A part whose energy is this many times that of the part before it holds a pluck's start (6 dB
// louder within 9 ms, which a ringing string does not do).
inline constexpr double kOnsetRise = 4.0;
// A note's part shorter than this (73 ms, nine periods of the lowest string's note) gives no
// pitch the meter can trust; each half of it, compared with the other, four and a half.
inline constexpr std::size_t kShortestNoteSamples = 1024;

// Where the block's last note begins, as the index of the first sample after the part in which
// its level last rose by kOnsetRise; nothing when the level never rose so within the block.
std::optional<std::size_t> noteStartIn(std::span<const std::int16_t> block);

// The frequency near `guessHertz` (within a quarter of a tone) where the samples under a Hann
// window have the largest Fourier magnitude: the pitch of a partial the samples hold near the
// guess, searched to a hundredth of a cent. Beside a strong neighbouring partial it is good to
// a twentieth of a cent over kShortestNoteSamples and to a cent over half as many. 0 when there
// are fewer than half kShortestNoteSamples, or when no partial peaks within the search.
double partialNear(std::span<const std::int16_t> samples, double sampleRate, double guessHertz);

}  // namespace strumwise::pitch
