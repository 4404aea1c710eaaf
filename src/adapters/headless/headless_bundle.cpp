#include "adapters/headless/headless_bundle.h"

#include "adapters/headless/english_texts.h"

namespace strumwise::platform::headless {

HeadlessBundle::HeadlessBundle()
    : info_{{"CFBundleIdentifier", std::string(kIdentifier)},
            {"CFBundleVersion", std::string(kVersion)},
            {"CFBundleShortVersionString", std::string(kVersion)},
            {"CFBundleName", std::string(kName)},
            {"CFBundleDisplayName", std::string(kName)}} {}

std::optional<std::string> HeadlessBundle::infoValue(std::string_view key) const {
    const auto found = info_.find(key);
    return found == info_.end() ? std::nullopt : std::optional<std::string>(found->second);
}

std::string HeadlessBundle::localizedString(std::string_view key, std::string_view value,
                                            std::string_view table) const {
    if (const auto text = englishText(key, table)) {
        return std::string(*text);
    }
    return std::string(value.empty() ? key : value);
}

}  // namespace strumwise::platform::headless
