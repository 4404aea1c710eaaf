#include "screen/system_version.h"

#include <cctype>
#include <charconv>

namespace strumwise::screen {

float leadingVersionNumber(std::string_view version) {
    std::size_t start = 0;
    while (start < version.size() && std::isspace(static_cast<unsigned char>(version[start]))) {
        ++start;
    }
    bool negative = false;
    if (start < version.size() && (version[start] == '+' || version[start] == '-')) {
        negative = version[start] == '-';
        ++start;
    }
    // from_chars reads the longest number at the front ("5.1" of "5.1.1") and, unlike strtof,
    // never looks at the locale's decimal separator.
    float number = 0.0f;
    const char* first = version.data() + start;
    const auto result =
        std::from_chars(first, version.data() + version.size(), number, std::chars_format::fixed);
    if (result.ec != std::errc{}) {
        return 0.0f;
    }
    return negative ? -number : number;
}

}  // namespace strumwise::screen
