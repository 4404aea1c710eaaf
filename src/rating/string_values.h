#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace strumwise::rating {

// Substitutes `argument` for every object placeholder ("%@" or a positional "%1$@") of
// `format` and turns "%%" into "%". Anything else is copied as it stands, so translated text
// is never interpreted as a printf format.
std::string formatWithObject(std::string_view format, std::string_view argument);

// The number at the start of `text` (leading spaces skipped), the way version strings are read:
// "17.2" is 17.2, "10.3.1" is 10.3, and text without a leading number is 0.
double leadingFloatValue(std::string_view text);

// The integer at the start of `text` (leading spaces skipped, optional sign); 0 when there is
// none, clamped to the 64-bit range when it is too large.
std::int64_t leadingIntegerValue(std::string_view text);

}  // namespace strumwise::rating
