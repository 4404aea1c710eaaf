#include "screen/system_version.h"

#include <cctype>

#include "base/decimal_text.h"

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
    // The longest number at the front ("5.1" of "5.1.1"), whatever the locale's decimal
    // separator.
    float number = 0.0f;
    const auto result = readDecimal(version.substr(start), number);
    if (result.ec != std::errc{}) {
        return 0.0f;
    }
    return negative ? -number : number;
}

}  // namespace strumwise::screen
