#include "adapters/web/web_application.h"

#include <string>

#include "adapters/web/browser.h"

namespace strumwise::platform::web {

namespace {

constexpr std::string_view kStoreScheme = "itms-apps://";

}  // namespace

void WebApplication::setIdleTimerDisabled(bool disabled) {
    browser::keepScreenOn(disabled);
}

void WebApplication::setStatusBarHidden(bool hidden, int /*animation*/) {
    if (hidden) {
        browser::hideStatusBar();
    }
}

void WebApplication::openURL(std::string_view url) {
    // A browser cannot open the phone store's own scheme; its web address shows the same page.
    if (url.starts_with(kStoreScheme)) {
        browser::openURL("https://" + std::string(url.substr(kStoreScheme.size())));
        return;
    }
    browser::openURL(url);
}

std::optional<std::string> WebBundle::infoValue(std::string_view key) const {
    if (key == "CFBundleIdentifier") {
        return identifier();
    }
    if (key == "CFBundleVersion" || key == "CFBundleShortVersionString") {
        return STRUMWISE_VERSION;
    }
    if (key == "CFBundleName" || key == "CFBundleDisplayName") {
        return "Strumwise";
    }
    return std::nullopt;
}

std::string WebBundle::localizedString(std::string_view key, std::string_view value,
                                       std::string_view table) const {
    if (auto text = browser::translation(table.empty() ? "Localizable" : table, key)) {
        return *text;
    }
    return std::string(value.empty() ? key : value);
}

}  // namespace strumwise::platform::web
