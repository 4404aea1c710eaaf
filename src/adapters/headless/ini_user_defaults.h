#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "adapters/headless/locked_defaults_file.h"
#include "adapters/headless/memory_user_defaults.h"
#include "platform/pending_defaults.h"

namespace strumwise::platform::headless {

// User defaults kept in an INI file, for `--defaults FILE`: values live in memory while the
// application runs and are written to the file by synchronize, so they persist between runs.
//
// The file holds one section named by the application's domain, one `key=value` line per key.
// A value is `true`/`false`, an integer, a decimal number, or a string in double quotes with
// `"`, `\` and control characters escaped; the type it is written with is the type it reads
// back with. Blank lines and lines starting with `#` or `;` are ignored.
//
// Several runs may share one file: the file stays locked while the store exists (see
// LockedDefaultsFile), and synchronize writes only the keys this run changed, laid over what the
// file holds, and nothing when nothing changed.
class IniUserDefaults final : public UserDefaults {
  public:
    // Reads the file, creating it (empty) when it does not exist, after waiting for any other run
    // that holds it. Answers nullptr and sets `error` to one line naming the file and, for a
    // malformed file, the line at fault.
    static std::unique_ptr<IniUserDefaults> open(const std::string& path, std::string domain,
                                                 std::string& error);
    ~IniUserDefaults() override;

    bool boolForKey(std::string_view key) const override { return values_.boolForKey(key); }
    std::int64_t integerForKey(std::string_view key) const override {
        return values_.integerForKey(key);
    }
    double doubleForKey(std::string_view key) const override { return values_.doubleForKey(key); }
    std::optional<std::string> stringForKey(std::string_view key) const override {
        return values_.stringForKey(key);
    }
    void setBool(bool value, std::string_view key) override { set(key, value); }
    void setInteger(std::int64_t value, std::string_view key) override { set(key, value); }
    void setDouble(double value, std::string_view key) override { set(key, value); }
    void setString(std::string_view value, std::string_view key) override {
        set(key, std::string(value));
    }
    void setEmptyPersistentDomain(std::string_view domainName) override;
    // The file stays locked for the whole run, so counting in memory is already one step.
    std::int64_t updateInteger(std::string_view key, const IntegerUpdate& update) override;

    // Writes this run's changes to the file (through a temporary file renamed over it, so a
    // failed write never leaves half a file). Answers whether the file holds them.
    bool synchronize() override;
    // Why the last synchronize failed, in one line naming the file; empty once one succeeds.
    std::string writeError() const;

    const MemoryUserDefaults& values() const { return values_; }

  private:
    IniUserDefaults(std::unique_ptr<LockedDefaultsFile> file, std::string domain,
                    DefaultsMap values);
    void set(std::string_view key, DefaultsValue value);

    MemoryUserDefaults values_;
    // Guards the changes and the file, and keeps each change and its record together.
    mutable std::mutex fileMutex_;
    PendingDefaults<DefaultsValue> pending_;
    std::unique_ptr<LockedDefaultsFile> file_;
    std::string writeError_;
};

// The file's text for `values` of `domain`, and its inverse. parseIniDefaults answers nullopt
// and sets `error` ("line N: ...") when the text is malformed.
std::string formatIniDefaults(const std::string& domain, const DefaultsMap& values);
std::optional<DefaultsMap> parseIniDefaults(std::string_view text, const std::string& domain,
                                            std::string& error);

}  // namespace strumwise::platform::headless
