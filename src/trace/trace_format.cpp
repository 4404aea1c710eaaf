#include "trace/trace_format.h"

#include <charconv>
#include <cinttypes>
#include <cstdio>

#include "base/decimal_text.h"

namespace strumwise::platform::trace {
namespace {

// The length of the valid UTF-8 sequence starting at text[i], or 0 when it is not one.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned minimum = 0;
    unsigned code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0u) != 0x80u) {
            return 0;
        }
        code = (code << 6) | (byte(i + k) & 0x3Fu);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return (code < minimum || code > 0x10FFFF || surrogate) ? 0 : length;
}

std::string formatNumber(double value, int decimals) {
    if (decimals >= 0) {
        // The desktop's --trace prints through here too, where the toolkit may have set a locale
        // with a decimal comma.
        return fixedDecimalText(value, decimals);
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// JSON numbers drop the trailing zeros a fixed format adds ("5.000" is 5, "293.5" stays).
std::string trimZeros(std::string text) {
    if (text.find('.') == std::string::npos || text.find_first_of("eE") != std::string::npos) {
        return text;
    }
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

void appendText(std::string& out, const TraceValue& value, bool nested);

void appendTextList(std::string& out, const TraceList& list, bool nested) {
    if (nested) {
        out += '[';
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0) {
            out += nested ? ", " : " ";
        }
        appendText(out, list[i], true);
    }
    if (nested) {
        out += ']';
    }
}

void appendText(std::string& out, const TraceValue& value, bool nested) {
    struct Visitor {
        std::string& out;
        bool nested;
        void operator()(TraceValue::Absent) const {}
        void operator()(std::nullptr_t) const { out += "none"; }
        void operator()(bool b) const { out += b ? "1" : "0"; }
        void operator()(std::int64_t n) const { out += std::to_string(n); }
        void operator()(const TraceNumber& n) const { out += formatNumber(n.value, n.decimals); }
        void operator()(const std::string& s) const { out += quoteTraceString(s); }
        void operator()(const TraceWord& w) const { out += w.text; }
        void operator()(const TraceList& l) const { appendTextList(out, l, nested); }
    };
    std::visit(Visitor{out, nested}, value.data);
}

void appendJson(std::string& out, const TraceValue& value) {
    struct Visitor {
        std::string& out;
        void operator()(TraceValue::Absent) const { out += "null"; }
        void operator()(std::nullptr_t) const { out += "null"; }
        void operator()(bool b) const { out += b ? "true" : "false"; }
        void operator()(std::int64_t n) const { out += std::to_string(n); }
        void operator()(const TraceNumber& n) const {
            out += trimZeros(formatNumber(n.value, n.decimals));
        }
        void operator()(const std::string& s) const { out += quoteTraceString(s); }
        void operator()(const TraceWord& w) const { out += quoteTraceString(w.text); }
        void operator()(const TraceList& l) const {
            out += '[';
            for (std::size_t i = 0; i < l.size(); ++i) {
                if (i > 0) {
                    out += ',';
                }
                appendJson(out, l[i]);
            }
            out += ']';
        }
    };
    std::visit(Visitor{out}, value.data);
}

void appendPart(std::string& out, std::string_view part) {
    if (!part.empty()) {
        out += ' ';
        out += part;
    }
}

void appendValue(std::string& out, const TraceValue& value) {
    if (!value.absent()) {
        out += ' ';
        appendText(out, value, false);
    }
}

}  // namespace

std::string quoteTraceString(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t length = utf8SequenceLength(text, i);
            if (length == 0) {
                out += "\\ufffd";
                ++i;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
            continue;
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", c);
                    out += escape;
                } else {
                    out += static_cast<char>(c);
                }
        }
        ++i;
    }
    out += '"';
    return out;
}

std::string formatTraceText(const TraceEvent& event) {
    char time[32];
    std::snprintf(time, sizeof time, "%" PRId64 ".%03" PRId64, event.micros / 1'000'000,
                  (event.micros % 1'000'000) / 1000);
    std::string out = event.micros < 0 ? "0.000" : time;
    switch (event.layout) {
        case TraceLayout::TargetOpValue:
            appendPart(out, event.target);
            appendPart(out, event.op);
            appendValue(out, event.value);
            break;
        case TraceLayout::TargetValue:
            appendPart(out, event.target);
            appendValue(out, event.value);
            break;
        case TraceLayout::OpValue:
            appendPart(out, event.op);
            appendValue(out, event.value);
            break;
        case TraceLayout::OpTarget:
            appendPart(out, event.op);
            appendPart(out, event.target);
            appendValue(out, event.value);
            break;
        case TraceLayout::Perform:
            appendPart(out, event.op);
            appendPart(out, event.target);
            out += " after";
            appendValue(out, event.value);
            break;
    }
    return out;
}

std::string formatTraceJson(const TraceEvent& event) {
    std::string out = "{\"t\":";
    out += trimZeros(formatNumber(static_cast<double>(event.micros) / 1e6, 6));
    out += ",\"target\":";
    out += quoteTraceString(event.target);
    out += ",\"op\":";
    out += quoteTraceString(event.op);
    out += ",\"value\":";
    appendJson(out, event.value);
    out += '}';
    return out;
}

}  // namespace strumwise::platform::trace
