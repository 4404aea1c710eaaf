#pragma once

#include <cstdint>
#include <string_view>

#include "platform/log.h"
#include "platform/user_defaults.h"

namespace strumwise::rating {

// Adds one to the count stored under `key`, stores it and answers it, in one step of the store
// (UserDefaults::updateInteger), so that processes sharing the store never count as one. A count at
// the largest integer stays there rather than wrapping to a negative one. A stored value that is
// not a number (an infinity, NaN, text) counts as absent, so counting starts again from 1; one log
// line names the key and the value.
std::int64_t incrementStoredCount(platform::UserDefaults& defaults, std::string_view key,
                                  platform::Log& log);

}  // namespace strumwise::rating
