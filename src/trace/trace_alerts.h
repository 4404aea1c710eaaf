#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "trace/trace_sink.h"

namespace strumwise::platform::trace {

// The alert events of the trace, for every platform that prints one: `alert "<title>"
// "<message>" ["<button>", ...]`, `alert answered <index>` and `alert hidden`.
void traceAlertShown(TraceSink& sink, std::string_view title, std::string_view message,
                     const std::vector<std::string>& buttons);
void traceAlertAnswered(TraceSink& sink, std::int64_t index);
void traceAlertHidden(TraceSink& sink);

}  // namespace strumwise::platform::trace
