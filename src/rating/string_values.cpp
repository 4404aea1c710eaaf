#include "rating/string_values.h"

#include <charconv>
#include <limits>

#include "base/decimal_text.h"

namespace strumwise::rating {

namespace {

std::string_view skipLeadingSpace(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\n\r\f\v");
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

}  // namespace

std::string formatWithObject(std::string_view format, std::string_view argument) {
    std::string result;
    result.reserve(format.size() + argument.size());
    for (std::size_t i = 0; i < format.size(); ++i) {
        const std::string_view rest = format.substr(i);
        if (rest.starts_with("%@")) {
            result += argument;
            i += 1;
        } else if (rest.starts_with("%1$@")) {
            result += argument;
            i += 3;
        } else if (rest.starts_with("%%")) {
            result += '%';
            i += 1;
        } else {
            result += format[i];
        }
    }
    return result;
}

double leadingFloatValue(std::string_view text) {
    text = skipLeadingSpace(text);
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, error] = readDecimal(text, value);
    return error == std::errc{} ? value : 0.0;
}

std::int64_t leadingIntegerValue(std::string_view text) {
    text = skipLeadingSpace(text);
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    std::uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    if (error == std::errc::result_out_of_range ||
        (error == std::errc{} && magnitude > static_cast<std::uint64_t>(kMax))) {
        return negative ? std::numeric_limits<std::int64_t>::min() : kMax;
    }
    if (error != std::errc{}) {
        return 0;
    }
    return negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
}

}  // namespace strumwise::rating
