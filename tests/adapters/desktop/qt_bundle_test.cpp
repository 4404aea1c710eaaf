// The desktop bundle: compiled-in identity, and the localized strings of the compiled
// translation files, which agree with the English texts the headless bundle answers.

#include <gtest/gtest.h>

#include "adapters/desktop/system/qt_bundle.h"
#include "adapters/headless/english_texts.h"
#include "qt_test_app.h"

namespace strumwise::platform::desktop {
namespace {

TEST(QtBundle, AnswersTheIdentityAndTheSameEnglishTextsAsTheHeadlessBundle) {
    testing::qtTestApp();
    const QtBundle bundle(QLocale(QLocale::English), false);
    EXPECT_EQ(bundle.identifier(), "com.strumwise.tuner");
    EXPECT_EQ(bundle.infoValue("CFBundleDisplayName"), "Strumwise");
    EXPECT_EQ(bundle.language(), "en");
    for (const auto& text : headless::englishTexts()) {
        EXPECT_EQ(bundle.localizedString(text.key, "", text.table), text.text) << text.key;
    }
}

TEST(QtBundle, SpanishTranslatesTitlesAndTheRatingPromptAndFallsBackPerTable) {
    testing::qtTestApp();
    const QtBundle bundle(QLocale(QLocale::Spanish, QLocale::Spain), false);
    EXPECT_EQ(bundle.language(), "es");
    EXPECT_EQ(bundle.localizedString("TuningFreeTitle", "", ""), "Sol abierto (gDGBD)");
    EXPECT_EQ(bundle.localizedString("TuningFreeTitle", "", "Localizable"), "Sol abierto (gDGBD)");
    // The placeholder survives translation, for the rating prompt to fill in.
    EXPECT_EQ(bundle.localizedString("Rate %@", "", "RatingPromptLocalizable"), "Valora %@");
    // A missing translation falls back to the value, then the key; tables do not mix.
    EXPECT_EQ(bundle.localizedString("NoSuchKey", "", ""), "NoSuchKey");
    EXPECT_EQ(bundle.localizedString("NoSuchKey", "fallback", ""), "fallback");
    EXPECT_EQ(bundle.localizedString("TuningFreeTitle", "", "RatingPromptLocalizable"),
              "TuningFreeTitle");
    // A language without translations gets English.
    EXPECT_EQ(
        QtBundle(QLocale(QLocale::Japanese), false).localizedString("TuningFreeTitle4", "", ""),
        "G Modal (gDGCD)");
}

}  // namespace
}  // namespace strumwise::platform::desktop
