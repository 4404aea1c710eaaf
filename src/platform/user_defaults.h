#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace strumwise::platform {

// The application's persistent key-value store. Every operation is safe from any thread and
// each is atomic on its own; a read-modify-write sequence of a caller is not.
// Absent keys read as false, 0, 0.0 or no string.
class UserDefaults {
  public:
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
};

}  // namespace strumwise::platform
