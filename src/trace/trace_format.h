#pragma once

#include <string>
#include <string_view>

#include "trace/trace_event.h"

namespace strumwise::platform::trace {

// The two trace formats. Each answers one line without its line break.

// `<seconds %.3f> <parts in the event's layout>`, for example `0.300 freq_label text "293.5Hz"`.
std::string formatTraceText(const TraceEvent& event);

// `{"t":0.3,"target":"freq_label","op":"text","value":"293.5Hz"}`; t in seconds, exact to the
// microsecond without trailing zeros.
std::string formatTraceJson(const TraceEvent& event);

// `"text"` with `"` and `\` escaped and control characters written as \n, \r, \t or \u00XX, so
// that one event always stays on one line. Bytes that are not UTF-8 become U+FFFD.
std::string quoteTraceString(std::string_view text);

}  // namespace strumwise::platform::trace
