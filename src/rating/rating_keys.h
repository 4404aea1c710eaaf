#pragma once

#include "base/settings_keys.h"

namespace strumwise::rating {

// The keys the rating prompt and the review shortcut read and write, by their short names here.
using settings::kCurrentVersionKey;
using settings::kDeclinedToRateKey;
using settings::kFirstUseDateKey;
using settings::kNumberOfRunsKey;
using settings::kRatedCurrentVersionKey;
using settings::kReminderRequestDateKey;
using settings::kSignificantEventCountKey;
using settings::kUseCountKey;

}  // namespace strumwise::rating
