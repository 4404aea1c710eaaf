#pragma once

#include <charconv>
#include <string>
#include <string_view>

namespace strumwise {

// Decimal numbers in the one notation the product shows and stores, with a '.' whatever the
// process's locale (a desktop toolkit may switch the C locale to one with a decimal comma), and
// exactly rounded. Every build uses these, including the WebAssembly one, whose standard library
// has no floating-point to_chars or from_chars.

// `value` in fixed notation with `decimals` digits after the point ("293.5" for 1), rounded to
// nearest as printf rounds.
std::string fixedDecimalText(double value, int decimals);

// Reads the longest number at the front of `text` as from_chars does in `format` (fixed, or
// general, which also takes an exponent): an optional '-', digits with an optional point, or
// "inf", "infinity" or "nan"; no leading space or '+'. The value is rounded to the nearest of the
// type. On a failure `value` is left as it was: invalid_argument when no number starts the text,
// result_out_of_range when it overflows or underflows to zero.
std::from_chars_result readDecimal(std::string_view text, double& value,
                                   std::chars_format format = std::chars_format::fixed);
std::from_chars_result readDecimal(std::string_view text, float& value,
                                   std::chars_format format = std::chars_format::fixed);

}  // namespace strumwise
