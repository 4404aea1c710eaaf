#pragma once

#include <string>
#include <string_view>

namespace strumwise {

// `text` as it may be shown in a one-line message: control characters (a newline, an escape
// sequence, a tab, and the C1 controls some terminals obey) become C-style escapes such as \n
// and \x1b, and so does every byte that is not part of well-formed UTF-8, so that a file name or
// argument can neither break the line, drive the terminal nor garble the message around it.
// Every other character is kept.
std::string printableText(std::string_view text);

// A name (a file, an argument) as a message shows it: printableText, and when longer than 100
// characters, its first 60 and last 39 characters joined by "…", which keeps both the folder it
// starts with and the file name it ends with.
std::string shownName(std::string_view text);

}  // namespace strumwise
