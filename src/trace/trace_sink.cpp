#include "trace/trace_sink.h"

#include <utility>

#include "trace/trace_format.h"

namespace strumwise::platform::trace {

TraceSink::TraceSink(TimeSource timeSource, Format format, LineWriter writer)
    : timeSource_(std::move(timeSource)), format_(format), writer_(std::move(writer)) {}

void TraceSink::emit(std::string target, std::string op, TraceValue value, TraceLayout layout) {
    std::lock_guard lock(mutex_);
    if (!writer_) {
        return;
    }
    const TraceEvent event{timeSource_ ? timeSource_() : 0, std::move(target), std::move(op),
                           std::move(value), layout};
    writer_(format_ == Format::Json ? formatTraceJson(event) : formatTraceText(event));
}

void TraceSink::close() {
    std::lock_guard lock(mutex_);
    writer_ = nullptr;
}

TraceSink::LineWriter TraceSink::streamWriter(std::FILE* stream, bool flushEachLine) {
    return [stream, flushEachLine](std::string_view line) {
        std::fwrite(line.data(), 1, line.size(), stream);
        std::fputc('\n', stream);
        if (flushEachLine) {
            std::fflush(stream);
        }
    };
}

}  // namespace strumwise::platform::trace
