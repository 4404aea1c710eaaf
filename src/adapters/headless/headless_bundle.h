#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/bundle.h"

namespace strumwise::platform::headless {

// The application's bundle with fixed values: identifier "com.strumwise.tuner", version "1.0",
// name "Strumwise", and the English texts of english_texts.h as its localized strings.
class HeadlessBundle final : public Bundle {
  public:
    static constexpr std::string_view kIdentifier = "com.strumwise.tuner";
    static constexpr std::string_view kVersion = "1.0";
    static constexpr std::string_view kName = "Strumwise";

    HeadlessBundle();

    std::string identifier() const override { return std::string(kIdentifier); }
    std::optional<std::string> infoValue(std::string_view key) const override;
    std::optional<std::string> localizedInfoValue(std::string_view key) const override {
        return infoValue(key);
    }
    std::string localizedString(std::string_view key, std::string_view value,
                                std::string_view table) const override;

  private:
    std::map<std::string, std::string, std::less<>> info_;
};

}  // namespace strumwise::platform::headless
