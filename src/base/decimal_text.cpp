#include "base/decimal_text.h"

#include <locale.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace strumwise {

namespace {

// Switches the calling thread, and only it, to the "C" locale while it lives, so that printf and
// strtod use a '.' without touching the process's locale that other threads read.
class CLocaleOnThisThread {
  public:
    CLocaleOnThisThread() : previous_(uselocale(cLocale())) {}
    ~CLocaleOnThisThread() { uselocale(previous_); }
    CLocaleOnThisThread(const CLocaleOnThisThread&) = delete;
    CLocaleOnThisThread& operator=(const CLocaleOnThisThread&) = delete;

  private:
    static locale_t cLocale() {
        static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
        return locale;
    }
    locale_t previous_;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool startsWithWord(std::string_view text, std::string_view lowerCaseWord) {
    if (text.size() < lowerCaseWord.size()) {
        return false;
    }
    for (std::size_t i = 0; i < lowerCaseWord.size(); ++i) {
        const char c =
            text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != lowerCaseWord[i]) {
            return false;
        }
    }
    return true;
}

std::size_t digitsAt(std::string_view text, std::size_t i) {
    std::size_t end = i;
    while (end < text.size() && isDigit(text[end])) {
        ++end;
    }
    return end - i;
}

// The length of "inf", "infinity", "nan" or "nan(chars)" at the front of `text`; 0 for others.
std::size_t specialValueLength(std::string_view text) {
    if (startsWithWord(text, "infinity")) {
        return 8;
    }
    if (startsWithWord(text, "inf")) {
        return 3;
    }
    if (!startsWithWord(text, "nan")) {
        return 0;
    }
    std::size_t i = 3;
    if (i < text.size() && text[i] == '(') {
        std::size_t j = i + 1;
        while (j < text.size() && (isDigit(text[j]) || isLetter(text[j]) || text[j] == '_')) {
            ++j;
        }
        if (j < text.size() && text[j] == ')') {
            i = j + 1;
        }
    }
    return i;
}

// The length of the number at the front of `text` in `format`; 0 when there is none.
std::size_t numberLength(std::string_view text, std::chars_format format) {
    const std::size_t sign = text.starts_with('-') ? 1 : 0;
    if (const std::size_t special = specialValueLength(text.substr(sign)); special > 0) {
        return sign + special;
    }
    std::size_t i = sign;
    std::size_t digits = digitsAt(text, i);
    i += digits;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fraction = digitsAt(text, i + 1);
        if (digits + fraction > 0) {
            i += 1 + fraction;
        }
        digits += fraction;
    }
    if (digits == 0) {
        return 0;
    }
    if (format == std::chars_format::general && i < text.size() &&
        (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (const std::size_t exponent = digitsAt(text, j); exponent > 0) {
            i = j + exponent;
        }
    }
    return i;
}

template <typename Number, typename Convert>
std::from_chars_result readNumber(std::string_view text, Number& value, std::chars_format format,
                                  Convert convert) {
    const std::size_t length = numberLength(text, format);
    if (length == 0) {
        return {text.data(), std::errc::invalid_argument};
    }
    // strtod also reads what `format` excludes (an exponent, hexadecimal), so it only sees the
    // span checked above, copied so that it ends there.
    const std::string number(text.substr(0, length));
    const char* end = text.data() + length;
    CLocaleOnThisThread cLocale;
    errno = 0;
    const Number converted = convert(number.c_str());
    // A subnormal result also sets ERANGE; only an overflow or a flush to zero is out of range.
    if (errno == ERANGE && (converted == 0 || std::isinf(converted))) {
        return {end, std::errc::result_out_of_range};
    }
    value = converted;
    return {end, std::errc{}};
}

}  // namespace

std::string fixedDecimalText(double value, int decimals) {
    CLocaleOnThisThread cLocale;
    const int length = std::snprintf(nullptr, 0, "%.*f", decimals, value);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    std::snprintf(text.data(), text.size() + 1, "%.*f", decimals, value);
    return text;
}

std::from_chars_result readDecimal(std::string_view text, double& value, std::chars_format format) {
    return readNumber(text, value, format, [](const char* s) { return std::strtod(s, nullptr); });
}

std::from_chars_result readDecimal(std::string_view text, float& value, std::chars_format format) {
    return readNumber(text, value, format, [](const char* s) { return std::strtof(s, nullptr); });
}

}  // namespace strumwise
