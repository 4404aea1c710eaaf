#pragma once

#include <QLocale>
#include <QTranslator>
#include <string>

#include "platform/bundle.h"

namespace strumwise::platform::desktop {

// The application's identity, compiled in, and its localized strings from the Qt translation
// files built from resources/translations. The behaviour's keys are the source texts and each
// string table is a translation context ("Localizable", "RatingPromptLocalizable"). The texts of
// the layouts are translated through the same files, in the context "MainScreen".
class QtBundle final : public Bundle {
  public:
    static constexpr std::string_view kIdentifier = "com.strumwise.tuner";
    static constexpr std::string_view kName = "Strumwise";

    // Loads the translation for `locale` (English when there is none for it). With `install`
    // the translation also serves the layouts (the application's translator list); a test that
    // builds several bundles leaves it off.
    explicit QtBundle(const QLocale& locale = QLocale(), bool install = true);
    ~QtBundle() override;

    std::string identifier() const override { return std::string(kIdentifier); }
    std::optional<std::string> infoValue(std::string_view key) const override;
    std::optional<std::string> localizedInfoValue(std::string_view key) const override;
    std::string localizedString(std::string_view key, std::string_view value,
                                std::string_view table) const override;

    // The language of the loaded translation, "en" or "es".
    std::string language() const;

  private:
    QTranslator translator_;
    bool installed_ = false;
};

}  // namespace strumwise::platform::desktop
