#include "adapters/desktop/system/qt_bundle.h"

#include <QCoreApplication>

namespace strumwise::platform::desktop {
namespace {

constexpr std::string_view kVersion = STRUMWISE_VERSION;
constexpr std::string_view kDefaultTable = "Localizable";

}  // namespace

QtBundle::QtBundle(const QLocale& locale, bool install) {
    if (!translator_.load(locale, QStringLiteral("strumwise"), QStringLiteral("_"),
                          QStringLiteral(":/i18n"))) {
        // Keys are not meant to be read; English is the language of last resort.
        (void)translator_.load(QStringLiteral(":/i18n/strumwise_en.qm"));
    }
    if (install && QCoreApplication::instance() != nullptr) {
        installed_ = QCoreApplication::installTranslator(&translator_);
    }
}

QtBundle::~QtBundle() {
    if (installed_ && QCoreApplication::instance() != nullptr) {
        QCoreApplication::removeTranslator(&translator_);
    }
}

std::optional<std::string> QtBundle::infoValue(std::string_view key) const {
    if (key == "CFBundleIdentifier") {
        return std::string(kIdentifier);
    }
    if (key == "CFBundleVersion" || key == "CFBundleShortVersionString") {
        return std::string(kVersion);
    }
    if (key == "CFBundleName" || key == "CFBundleDisplayName") {
        return std::string(kName);
    }
    return std::nullopt;
}

std::optional<std::string> QtBundle::localizedInfoValue(std::string_view) const {
    // The product's name is the same in every language; nothing else is localized.
    return std::nullopt;
}

std::string QtBundle::localizedString(std::string_view key, std::string_view value,
                                      std::string_view table) const {
    const std::string context(table.empty() ? kDefaultTable : table);
    const std::string source(key);
    const QString translated = translator_.translate(context.c_str(), source.c_str());
    if (!translated.isEmpty()) {
        return translated.toStdString();
    }
    return std::string(value.empty() ? key : value);
}

std::string QtBundle::language() const {
    const QString language = translator_.language();
    return language.isEmpty() ? std::string("en") : language.left(2).toStdString();
}

}  // namespace strumwise::platform::desktop
