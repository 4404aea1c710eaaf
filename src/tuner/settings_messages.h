#pragma once

#include <string>

#include "platform/bundle.h"
#include "tuner/reference_from_note.h"
#include "tuner/tuning_text.h"

namespace strumwise::tuner {

// What the settings say to the player, in the running language (the default strings table),
// with English where a bundle has no translation.

// Why a tuning of the player's own was refused, with what the player wrote in it.
std::string tuningProblemMessage(const TuningProblem& problem, const platform::Bundle& bundle);

// The reference a heard note offers, asked before it is kept: "A4 = 442.3 Hz — keep?".
std::string referenceProposalText(int tenths, const platform::Bundle& bundle);

// Why no reference was taken from the note; empty when one was.
std::string referenceRefusalText(const ReferenceFromNote& result, const platform::Bundle& bundle);

}  // namespace strumwise::tuner
