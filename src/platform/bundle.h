#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace strumwise::platform {

// The application's bundle: its identity and its localized strings.
class Bundle {
  public:
    virtual ~Bundle() = default;
    // For example "com.strumwise.tuner"; names the application's user-defaults domain.
    virtual std::string identifier() const = 0;
    // A value of the information dictionary ("CFBundleVersion", "CFBundleName", ...).
    virtual std::optional<std::string> infoValue(std::string_view key) const = 0;
    // The same value as localized for the running language, when the bundle localizes it.
    virtual std::optional<std::string> localizedInfoValue(std::string_view key) const = 0;
    // The translation of `key` in string table `table` (empty: the default table
    // "Localizable"); `value` when there is none and it is not empty, else the key itself.
    virtual std::string localizedString(std::string_view key, std::string_view value,
                                        std::string_view table) const = 0;
};

}  // namespace strumwise::platform
