#include "rating/stored_counter.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "base/decimal_text.h"

namespace strumwise::rating {
namespace {

// Whether a stored value's text is a finite number, as a hand-edited file might spell one.
bool isFiniteNumber(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t");
    if (first == std::string_view::npos) {
        return false;
    }
    text = text.substr(first, last - first + 1);
    if (text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto result = readDecimal(text, value, std::chars_format::general);
    return result.ec == std::errc{} && result.ptr == end && std::isfinite(value);
}

}  // namespace

std::int64_t incrementStoredCount(platform::UserDefaults& defaults, std::string_view key,
                                  platform::Log& log) {
    return defaults.updateInteger(key, [&](const platform::StoredInteger& stored) {
        std::int64_t count = 0;
        if (stored.text) {
            if (isFiniteNumber(*stored.text)) {
                count = stored.value;
            } else {
                log.write(std::string(key) + " holds \"" + *stored.text +
                          "\", which is not a number; counting it as absent");
            }
        }
        return count == std::numeric_limits<std::int64_t>::max() ? count : count + 1;
    });
}

}  // namespace strumwise::rating
