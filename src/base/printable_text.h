#pragma once

#include <string>
#include <string_view>

namespace strumwise {

// `text` as it may be shown in a one-line message: control characters (a newline, an escape
// sequence, a tab) become C-style escapes such as \n and \x1b, so that a file name or argument
// cannot break the line or drive the terminal. Every other byte, UTF-8 included, is kept.
std::string printableText(std::string_view text);

}  // namespace strumwise
