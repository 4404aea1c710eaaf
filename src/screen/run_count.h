#pragma once

#include <string_view>

#include "platform/log.h"
#include "platform/user_defaults.h"

namespace strumwise::screen {

// Counts one appearance of the main screen. On the first one after installation the
// application's own defaults domain (named by the bundle identifier) is erased first, so the
// count starts from 1 on a clean slate.
void countRun(platform::UserDefaults& defaults, platform::Log& log,
              std::string_view applicationDomain);

}  // namespace strumwise::screen
