#include "adapters/web/web_user_defaults.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "adapters/web/browser.h"
#include "base/decimal_text.h"
#include "platform/defaults_integer.h"

namespace strumwise::platform::web {

namespace {

// A stored text as a number, the way a property-list value converts: "true" counts as 1, text
// that is not a number as 0.
double numberOf(const std::optional<std::string>& text) {
    if (!text) {
        return 0.0;
    }
    if (*text == "true") {
        return 1.0;
    }
    double value = 0.0;
    readDecimal(*text, value, std::chars_format::general);
    return std::isfinite(value) ? value : 0.0;
}

}  // namespace

bool WebUserDefaults::boolForKey(std::string_view key) const {
    return numberOf(browser::storedValue(key)) != 0.0;
}

std::int64_t WebUserDefaults::integerForKey(std::string_view key) const {
    return defaultsInteger(numberOf(browser::storedValue(key)));
}

double WebUserDefaults::doubleForKey(std::string_view key) const {
    return numberOf(browser::storedValue(key));
}

std::optional<std::string> WebUserDefaults::stringForKey(std::string_view key) const {
    return browser::storedValue(key);
}

void WebUserDefaults::setBool(bool value, std::string_view key) {
    browser::storeValue(key, value ? "true" : "false");
}

void WebUserDefaults::setInteger(std::int64_t value, std::string_view key) {
    browser::storeValue(key, std::to_string(value));
}

void WebUserDefaults::setDouble(double value, std::string_view key) {
    // Seventeen significant digits always read back as the same double; the browser's C library
    // has only the "C" locale, so the point is always a point.
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    browser::storeValue(key, text);
}

void WebUserDefaults::setString(std::string_view value, std::string_view key) {
    browser::storeValue(key, value);
}

void WebUserDefaults::setEmptyPersistentDomain(std::string_view /*domainName*/) {
    // The host erases only the keys it keeps under this application's prefix, so another site on
    // the same origin keeps its own.
    browser::clearStore();
}

}  // namespace strumwise::platform::web
