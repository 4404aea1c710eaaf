#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace strumwise::platform {

// What a key holds when it is updated: its text (none when absent) and the integer it reads as.
struct StoredInteger {
    std::optional<std::string> text;
    std::int64_t value = 0;
};

// The application's persistent key-value store. Every operation is safe from any thread and
// each is atomic on its own; a read-modify-write sequence of a caller is not, which is what
// updateInteger is for. Absent keys read as false, 0, 0.0 or no string.
class UserDefaults {
  public:
    using IntegerUpdate = std::function<std::int64_t(const StoredInteger& stored)>;

    virtual ~UserDefaults() = default;

    virtual bool boolForKey(std::string_view key) const = 0;
    virtual std::int64_t integerForKey(std::string_view key) const = 0;
    virtual double doubleForKey(std::string_view key) const = 0;
    virtual std::optional<std::string> stringForKey(std::string_view key) const = 0;

    virtual void setBool(bool value, std::string_view key) = 0;
    virtual void setInteger(std::int64_t value, std::string_view key) = 0;
    virtual void setDouble(double value, std::string_view key) = 0;
    virtual void setString(std::string_view value, std::string_view key) = 0;

    // Replaces the whole persistent domain `domainName` (the application's bundle identifier)
    // with an empty one: every key of the application is erased.
    virtual void setEmptyPersistentDomain(std::string_view domainName) = 0;

    // Writes pending changes to persistent storage. Answers whether that succeeded.
    virtual bool synchronize() = 0;

    // Stores update(what `key` holds) under `key` as an integer and answers it, as one step, as
    // a counter must be counted: a store that shares its file with other processes reads the key
    // from the file, and writes the result back to it, under the file's lock, so that two
    // processes counting at once count twice. `update` is called once and must not use the
    // store. This fallback is one step only for a store with one user at a time; stores that
    // hold a lock or share a file replace it.
    virtual std::int64_t updateInteger(std::string_view key, const IntegerUpdate& update) {
        const std::int64_t value = update({stringForKey(key), integerForKey(key)});
        setInteger(value, key);
        return value;
    }
};

}  // namespace strumwise::platform
