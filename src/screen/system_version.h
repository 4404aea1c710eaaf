#pragma once

#include <string_view>

namespace strumwise::screen {

// The leading decimal number of a system version text ("5.1.1" gives 5.1, "17.2" gives 17.2),
// as a float. Leading white space is skipped; text that does not start with a number gives 0.
float leadingVersionNumber(std::string_view version);

}  // namespace strumwise::screen
