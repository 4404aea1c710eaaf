#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

#include "trace/trace_event.h"

namespace strumwise::platform::trace {

// Where every traced platform call goes: the sink stamps the event with the time its time
// source gives (virtual microseconds headless, microseconds since start on the desktop),
// formats it as one text or JSON line and hands the line to its writer. Safe from any thread:
// stamping and writing happen under one lock, so lines come out whole and in time order.
class TraceSink {
  public:
    enum class Format { Text, Json };
    using TimeSource = std::function<std::int64_t()>;
    using LineWriter = std::function<void(std::string_view line)>;

    TraceSink(TimeSource timeSource, Format format, LineWriter writer);
    TraceSink(const TraceSink&) = delete;
    TraceSink& operator=(const TraceSink&) = delete;

    void emit(std::string target, std::string op, TraceValue value = {},
              TraceLayout layout = TraceLayout::TargetOpValue);

    // Stops writing: events from now on are dropped (for example those of the teardown after a
    // run has ended).
    void close();

    // A writer that prints each line with a line break to `stream`, flushing it when asked
    // (the desktop's live trace flushes every line).
    static LineWriter streamWriter(std::FILE* stream, bool flushEachLine);

  private:
    std::mutex mutex_;
    TimeSource timeSource_;
    Format format_;
    LineWriter writer_;
};

}  // namespace strumwise::platform::trace
