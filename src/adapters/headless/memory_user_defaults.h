#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/user_defaults.h"

namespace strumwise::platform::headless {

// A stored value keeps the type it was written with; reads convert as the platform store does
// (an integer read as a boolean is true when non-zero, a number read as a string is its text).
using DefaultsValue = std::variant<bool, std::int64_t, double, std::string>;
using DefaultsMap = std::map<std::string, DefaultsValue, std::less<>>;

// User defaults held in memory for one application domain. Every operation takes one lock, so
// the store is safe from any thread. synchronize has nothing to write and succeeds.
class MemoryUserDefaults : public UserDefaults {
  public:
    static constexpr std::string_view kDefaultDomain = "com.strumwise.tuner";

    explicit MemoryUserDefaults(std::string domain = std::string(kDefaultDomain),
                                DefaultsMap values = {});

    bool boolForKey(std::string_view key) const override;
    std::int64_t integerForKey(std::string_view key) const override;
    double doubleForKey(std::string_view key) const override;
    std::optional<std::string> stringForKey(std::string_view key) const override;

    void setBool(bool value, std::string_view key) override;
    void setInteger(std::int64_t value, std::string_view key) override;
    void setDouble(double value, std::string_view key) override;
    void setString(std::string_view value, std::string_view key) override;

    // Erases every key when `domainName` is this store's domain; another domain is not ours to
    // touch, so nothing changes then.
    void setEmptyPersistentDomain(std::string_view domainName) override;
    bool synchronize() override { return true; }
    std::int64_t updateInteger(std::string_view key, const IntegerUpdate& update) override;

    const std::string& domain() const { return domain_; }
    // The stored value as written, for tests and for persisting.
    std::optional<DefaultsValue> value(std::string_view key) const;
    DefaultsMap snapshot() const;
    // Replaces every value at once, as a store backed by a shared file does after writing it.
    void replaceAll(DefaultsMap values);

    // Stores a value with the type it holds.
    void setValue(std::string_view key, DefaultsValue value);

  private:
    const std::string domain_;
    mutable std::mutex mutex_;
    DefaultsMap values_;
};

}  // namespace strumwise::platform::headless
