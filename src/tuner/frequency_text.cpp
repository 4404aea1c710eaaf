#include "tuner/frequency_text.h"

#include <array>
#include <charconv>

namespace strumwise::tuner {

std::string frequencyText(double hertz) {
    // std::to_chars ignores the C locale, which a desktop toolkit may have switched to one
    // with a decimal comma; 400 characters hold any double in fixed notation.
    std::array<char, 400> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), hertz,
                                      std::chars_format::fixed, 1);
    std::string text(digits.data(), result.ptr);
    text += "Hz";
    return text;
}

}  // namespace strumwise::tuner
