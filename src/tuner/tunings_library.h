#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "tuner/tuning.h"

namespace strumwise::tuner {

// The tunings the tuner knows by name: first the four it always knew (open G, double D, double C
// and G modal), in that order, then the common five-string banjo tunings players ask for. The
// list and its sources live in tunings_library.cpp.
std::span<const Tuning> tuningLibrary();

// The library's tuning called `name`, compared without regard to case or surrounding spaces,
// either by its name alone ("open d") or with its spelling in brackets as the browser titles it
// ("Open D (f#DF#AD)"); nullptr when there is none.
const Tuning* libraryTuningNamed(std::string_view name);

// The library's tuning with exactly these open-string notes, if any.
const Tuning* libraryTuningWithNotes(const std::array<int, kStringCount>& notes);

// The names of the four tunings the browser steps through unless the player chooses otherwise.
std::span<const std::string_view> specifiedTuningNames();

}  // namespace strumwise::tuner
