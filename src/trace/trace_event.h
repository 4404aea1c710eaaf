#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace strumwise::platform::trace {

// A bare token: written as is in the text trace (an action name, a defaults key, a session
// category), a JSON string in JSON Lines.
struct TraceWord {
    std::string text;
};

// A number written with a fixed count of decimals (frequencies with one, delays with three);
// decimals < 0 writes the shortest text that reads back as the same double.
struct TraceNumber {
    double value = 0.0;
    int decimals = -1;
};

struct TraceValue;
using TraceList = std::vector<TraceValue>;

// The value of an event. In the text trace: absent writes nothing, none writes `none`, booleans
// `0`/`1`, strings quoted with `"`, `\` and control characters escaped, a list its items
// separated by spaces (a list inside a list as `["a", "b"]`). In JSON Lines: absent and none are
// null, booleans true/false, lists arrays.
struct TraceValue {
    struct Absent {};
    std::variant<Absent, std::nullptr_t, bool, std::int64_t, TraceNumber, std::string, TraceWord,
                 TraceList>
        data;

    TraceValue() = default;
    TraceValue(std::nullptr_t) : data(nullptr) {}
    TraceValue(bool value) : data(value) {}
    TraceValue(int value) : data(std::int64_t{value}) {}
    TraceValue(std::int64_t value) : data(value) {}
    TraceValue(TraceNumber value) : data(value) {}
    TraceValue(std::string value) : data(std::move(value)) {}
    TraceValue(const char* value) : data(std::string(value)) {}
    TraceValue(TraceWord value) : data(std::move(value)) {}
    TraceValue(TraceList value) : data(std::move(value)) {}

    bool absent() const { return std::holds_alternative<Absent>(data); }
};

// How the text trace orders the parts of an event (JSON Lines always has all four keys).
enum class TraceLayout {
    TargetOpValue,  // `freq_label text "293.5Hz"`, `tone start`, `defaults set numberOfRuns 1`
    TargetValue,    // `log "Demo mode OFF, ..."`
    OpValue,        // `idleTimerDisabled 1`, `openURL "https://..."`
    OpTarget,       // `run resetTuningBools`, `press showNextTuning:`
    Perform,        // `perform resetTuningBools after 5.000`
};

// One observable platform call. `micros` is the time the sink stamped on it.
struct TraceEvent {
    std::int64_t micros = 0;
    std::string target;
    std::string op;
    TraceValue value;
    TraceLayout layout = TraceLayout::TargetOpValue;
};

}  // namespace strumwise::platform::trace
