#include "adapters/headless/ini_user_defaults.h"

#include <charconv>
#include <cmath>

#include "base/printable_text.h"
#include "trace/trace_format.h"

namespace strumwise::platform::headless {
namespace {

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

void appendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Reads a quoted string at the start of `text` (which starts with `"`); sets `rest` to what
// follows the closing quote. nullopt when the quote is not closed or an escape is unknown.
std::optional<std::string> unquote(std::string_view text, std::string_view& rest) {
    std::string out;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            rest = text.substr(i + 1);
            return out;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == text.size()) {
            return std::nullopt;
        }
        switch (text[i]) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                unsigned code = 0;
                if (i + 4 >= text.size()) {
                    return std::nullopt;
                }
                const auto result =
                    std::from_chars(text.data() + i + 1, text.data() + i + 5, code, 16);
                if (result.ptr != text.data() + i + 5) {
                    return std::nullopt;
                }
                appendUtf8(out, code);
                i += 4;
                break;
            }
            default:
                return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<DefaultsValue> parseValue(std::string_view text) {
    if (text == "true") {
        return DefaultsValue{true};
    }
    if (text == "false") {
        return DefaultsValue{false};
    }
    if (!text.empty() && text.front() == '"') {
        std::string_view rest;
        auto value = unquote(text, rest);
        if (!value || !trim(rest).empty()) {
            return std::nullopt;
        }
        return DefaultsValue{std::move(*value)};
    }
    const char* end = text.data() + text.size();
    std::int64_t integer = 0;
    if (const auto r = std::from_chars(text.data(), end, integer);
        r.ec == std::errc{} && r.ptr == end) {
        return DefaultsValue{integer};
    }
    double number = 0.0;
    if (const auto r = std::from_chars(text.data(), end, number);
        r.ec == std::errc{} && r.ptr == end && !text.empty()) {
        return DefaultsValue{number};
    }
    return std::nullopt;
}

std::string formatValue(const DefaultsValue& value) {
    struct Visitor {
        std::string operator()(bool b) const { return b ? "true" : "false"; }
        std::string operator()(std::int64_t n) const { return std::to_string(n); }
        std::string operator()(double d) const {
            char buffer[32];
            const auto result = std::to_chars(buffer, buffer + sizeof buffer, d);
            std::string text(buffer, result.ptr);
            // A whole number keeps a decimal point so that it reads back as a double.
            if (std::isfinite(d) && text.find_first_of(".e") == std::string::npos) {
                text += ".0";
            }
            return text;
        }
        std::string operator()(const std::string& s) const { return trace::quoteTraceString(s); }
    };
    return std::visit(Visitor{}, value);
}

// Keys are written bare unless they would not read back that way.
std::string formatKey(const std::string& key) {
    const bool bare =
        !key.empty() && key == trim(key) && key.find_first_of("=\"\n\r\t[#;") == std::string::npos;
    return bare ? key : trace::quoteTraceString(key);
}

std::string lineError(std::size_t line, const std::string& what) {
    return "line " + std::to_string(line) + ": " + what;
}

}  // namespace

std::string formatIniDefaults(const std::string& domain, const DefaultsMap& values) {
    std::string text = "# Strumwise user defaults\n[" + domain + "]\n";
    for (const auto& [key, value] : values) {
        text += formatKey(key) + "=" + formatValue(value) + "\n";
    }
    return text;
}

std::optional<DefaultsMap> parseIniDefaults(std::string_view text, const std::string& domain,
                                            std::string& error) {
    DefaultsMap values;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const auto newline = text.find('\n');
        const std::string_view line =
            trim(newline == std::string_view::npos ? text : text.substr(0, newline));
        text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
        ++lineNumber;

        if (line.empty() || line.front() == '#' || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            if (line.back() != ']') {
                error = lineError(lineNumber, "unterminated section header");
                return std::nullopt;
            }
            const std::string_view section = trim(line.substr(1, line.size() - 2));
            if (section != domain) {
                error = lineError(lineNumber, "section [" + std::string(section) +
                                                  "] is not this application's domain [" + domain +
                                                  "]");
                return std::nullopt;
            }
            continue;
        }

        std::string key;
        std::string_view rest;
        if (line.front() == '"') {
            auto quoted = unquote(line, rest);
            if (!quoted) {
                error = lineError(lineNumber, "unterminated quoted key");
                return std::nullopt;
            }
            key = std::move(*quoted);
            rest = trim(rest);
            if (rest.empty() || rest.front() != '=') {
                error = lineError(lineNumber, "expected key=value");
                return std::nullopt;
            }
            rest = rest.substr(1);
        } else {
            const auto equals = line.find('=');
            if (equals == std::string_view::npos) {
                error = lineError(lineNumber, "expected key=value");
                return std::nullopt;
            }
            key = std::string(trim(line.substr(0, equals)));
            rest = line.substr(equals + 1);
        }
        if (key.empty()) {
            error = lineError(lineNumber, "empty key");
            return std::nullopt;
        }
        auto value = parseValue(trim(rest));
        if (!value) {
            error = lineError(lineNumber, "value of '" + key +
                                              "' is not true, false, a number or a quoted "
                                              "string");
            return std::nullopt;
        }
        values.insert_or_assign(std::move(key), std::move(*value));
    }
    return values;
}

IniUserDefaults::IniUserDefaults(std::unique_ptr<LockedDefaultsFile> file, std::string domain,
                                 DefaultsMap values)
    : values_(std::move(domain), std::move(values)), file_(std::move(file)) {}

IniUserDefaults::~IniUserDefaults() = default;

std::unique_ptr<IniUserDefaults> IniUserDefaults::open(const std::string& path, std::string domain,
                                                       std::string& error) {
    auto file = LockedDefaultsFile::open(path, error);
    if (!file) {
        return nullptr;
    }
    const std::optional<std::string> text = file->read(error);
    if (!text) {
        return nullptr;
    }
    std::string parseError;
    auto values = parseIniDefaults(*text, domain, parseError);
    if (!values) {
        error = "malformed defaults file " + shownName(path) + ": " + parseError;
        return nullptr;
    }
    return std::unique_ptr<IniUserDefaults>(
        new IniUserDefaults(std::move(file), std::move(domain), std::move(*values)));
}

void IniUserDefaults::set(std::string_view key, DefaultsValue value) {
    std::lock_guard lock(fileMutex_);
    pending_.set(key, value);
    values_.setValue(key, std::move(value));
}

std::int64_t IniUserDefaults::updateInteger(std::string_view key, const IntegerUpdate& update) {
    std::lock_guard lock(fileMutex_);
    const std::int64_t value = values_.updateInteger(key, update);
    pending_.set(key, value);
    return value;
}

void IniUserDefaults::setEmptyPersistentDomain(std::string_view domainName) {
    if (domainName != values_.domain()) {
        return;
    }
    std::lock_guard lock(fileMutex_);
    pending_.eraseAll();
    values_.setEmptyPersistentDomain(domainName);
}

bool IniUserDefaults::synchronize() {
    std::lock_guard lock(fileMutex_);
    if (pending_.empty()) {
        return true;
    }
    // Whatever else is in the file now stays, unless this run erased the domain.
    std::string error;
    DefaultsMap onDisk = values_.snapshot();
    if (const auto text = file_->read(error)) {
        if (auto parsed = parseIniDefaults(*text, values_.domain(), error)) {
            onDisk = std::move(*parsed);
        }
    }
    DefaultsMap merged = pending_.mergedOver(std::move(onDisk));
    if (!file_->replace(formatIniDefaults(values_.domain(), merged), writeError_)) {
        return false;
    }
    writeError_.clear();
    values_.replaceAll(std::move(merged));
    pending_.clear();
    return true;
}

std::string IniUserDefaults::writeError() const {
    std::lock_guard lock(fileMutex_);
    return writeError_;
}

}  // namespace strumwise::platform::headless
