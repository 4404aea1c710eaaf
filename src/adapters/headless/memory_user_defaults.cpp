#include "adapters/headless/memory_user_defaults.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace strumwise::platform::headless {
namespace {

// A string read as a number: its leading number, 0 when it does not start with one.
double leadingNumber(const std::string& text) {
    const auto start = text.find_first_not_of(" \t");
    if (start == std::string::npos) {
        return 0.0;
    }
    double value = 0.0;
    const char* first = text.data() + start;
    if (*first == '+') {
        ++first;
    }
    std::from_chars(first, text.data() + text.size(), value);
    return value;
}

std::int64_t toInteger(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kLimit = 9.2233720368547748e18;  // just below 2^63
    if (value >= kLimit) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (value <= -kLimit) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(value);
}

struct AsBool {
    bool operator()(bool b) const { return b; }
    bool operator()(std::int64_t n) const { return n != 0; }
    bool operator()(double d) const { return d != 0.0; }
    bool operator()(const std::string& s) const {
        const auto start = s.find_first_not_of(" \t");
        if (start == std::string::npos) {
            return false;
        }
        const char c = s[start];
        return c == 'Y' || c == 'y' || c == 'T' || c == 't' || leadingNumber(s) != 0.0;
    }
};

struct AsInteger {
    std::int64_t operator()(bool b) const { return b ? 1 : 0; }
    std::int64_t operator()(std::int64_t n) const { return n; }
    std::int64_t operator()(double d) const { return toInteger(d); }
    std::int64_t operator()(const std::string& s) const { return toInteger(leadingNumber(s)); }
};

struct AsDouble {
    double operator()(bool b) const { return b ? 1.0 : 0.0; }
    double operator()(std::int64_t n) const { return static_cast<double>(n); }
    double operator()(double d) const { return d; }
    double operator()(const std::string& s) const { return leadingNumber(s); }
};

struct AsString {
    std::string operator()(bool b) const { return b ? "1" : "0"; }
    std::string operator()(std::int64_t n) const { return std::to_string(n); }
    std::string operator()(double d) const {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, d);
        return std::string(buffer, result.ptr);
    }
    std::string operator()(const std::string& s) const { return s; }
};

}  // namespace

MemoryUserDefaults::MemoryUserDefaults(std::string domain, DefaultsMap values)
    : domain_(std::move(domain)), values_(std::move(values)) {}

bool MemoryUserDefaults::boolForKey(std::string_view key) const {
    const auto stored = value(key);
    return stored ? std::visit(AsBool{}, *stored) : false;
}

std::int64_t MemoryUserDefaults::integerForKey(std::string_view key) const {
    const auto stored = value(key);
    return stored ? std::visit(AsInteger{}, *stored) : 0;
}

double MemoryUserDefaults::doubleForKey(std::string_view key) const {
    const auto stored = value(key);
    return stored ? std::visit(AsDouble{}, *stored) : 0.0;
}

std::optional<std::string> MemoryUserDefaults::stringForKey(std::string_view key) const {
    const auto stored = value(key);
    return stored ? std::optional<std::string>(std::visit(AsString{}, *stored)) : std::nullopt;
}

void MemoryUserDefaults::setBool(bool value, std::string_view key) {
    setValue(key, value);
}

void MemoryUserDefaults::setInteger(std::int64_t value, std::string_view key) {
    setValue(key, value);
}

void MemoryUserDefaults::setDouble(double value, std::string_view key) {
    setValue(key, value);
}

void MemoryUserDefaults::setString(std::string_view value, std::string_view key) {
    setValue(key, std::string(value));
}

void MemoryUserDefaults::setEmptyPersistentDomain(std::string_view domainName) {
    if (domainName != domain_) {
        return;
    }
    std::lock_guard lock(mutex_);
    values_.clear();
}

std::int64_t MemoryUserDefaults::updateInteger(std::string_view key, const IntegerUpdate& update) {
    std::lock_guard lock(mutex_);
    StoredInteger stored;
    if (const auto found = values_.find(key); found != values_.end()) {
        stored = {std::visit(AsString{}, found->second), std::visit(AsInteger{}, found->second)};
    }
    const std::int64_t value = update(stored);
    values_.insert_or_assign(std::string(key), value);
    return value;
}

std::optional<DefaultsValue> MemoryUserDefaults::value(std::string_view key) const {
    std::lock_guard lock(mutex_);
    const auto found = values_.find(key);
    return found == values_.end() ? std::nullopt : std::optional<DefaultsValue>(found->second);
}

DefaultsMap MemoryUserDefaults::snapshot() const {
    std::lock_guard lock(mutex_);
    return values_;
}

void MemoryUserDefaults::replaceAll(DefaultsMap values) {
    std::lock_guard lock(mutex_);
    values_ = std::move(values);
}

void MemoryUserDefaults::setValue(std::string_view key, DefaultsValue value) {
    std::lock_guard lock(mutex_);
    values_.insert_or_assign(std::string(key), std::move(value));
}

}  // namespace strumwise::platform::headless
