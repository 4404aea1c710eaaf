#pragma once

#include <optional>

namespace strumwise::tuner {

// "Take it from a note": the reference pitch for A4 that puts a sustained note (a fiddle's A, a
// piano's G, another banjo) exactly on its nearest equal-tempered note, in tenths of a hertz,
// rounded to the nearest tenth the player can choose.
struct ReferenceFromNote {
    enum class Refusal {
        NoSteadyNote,  // nothing loud and steady is heard: play one note and let it ring
        OutOfRange,    // the note would need A4 outside 415.0 to 466.0 Hz; `tenths` says where
    };
    std::optional<int> tenths;
    std::optional<Refusal> refusal;
};

// From what the tuner hears now: whether the last block is loud enough to measure and holds one
// steady note, and that note's pitch. The nearest note is judged at the current reference
// `currentTenths`, so that a reference that is already close is refined rather than moved to a
// neighbouring note's.
ReferenceFromNote referenceFromNote(bool loud, bool steady, double hertz, int currentTenths);

}  // namespace strumwise::tuner
