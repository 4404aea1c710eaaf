#include "trace/trace_alerts.h"

namespace strumwise::platform::trace {

void traceAlertShown(TraceSink& sink, std::string_view title, std::string_view message,
                     const std::vector<std::string>& buttons) {
    TraceList buttonList;
    for (const std::string& button : buttons) {
        buttonList.emplace_back(button);
    }
    sink.emit("alert", "show", TraceList{std::string(title), std::string(message), buttonList},
              TraceLayout::TargetValue);
}

void traceAlertAnswered(TraceSink& sink, std::int64_t index) {
    sink.emit("alert", "answered", index);
}

void traceAlertHidden(TraceSink& sink) {
    sink.emit("alert", "hidden");
}

}  // namespace strumwise::platform::trace
