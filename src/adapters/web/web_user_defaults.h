#pragma once

#include "platform/user_defaults.h"

namespace strumwise::platform::web {

// User defaults in the page's localStorage, one item per key under the same key names as the
// desktop's settings file. Every value is stored as text: "true"/"false", integers in decimal,
// doubles in the shortest text that reads back the same. Writes go straight to storage, so
// synchronize has nothing left to do.
class WebUserDefaults final : public UserDefaults {
  public:
    bool boolForKey(std::string_view key) const override;
    std::int64_t integerForKey(std::string_view key) const override;
    double doubleForKey(std::string_view key) const override;
    std::optional<std::string> stringForKey(std::string_view key) const override;
    void setBool(bool value, std::string_view key) override;
    void setInteger(std::int64_t value, std::string_view key) override;
    void setDouble(double value, std::string_view key) override;
    void setString(std::string_view value, std::string_view key) override;
    void setEmptyPersistentDomain(std::string_view domainName) override;
    bool synchronize() override { return true; }
};

}  // namespace strumwise::platform::web
