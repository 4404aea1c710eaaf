// The desktop bundle: compiled-in identity, and the localized strings of the compiled
// translation files, which agree with the English texts the headless bundle answers.

#include <gtest/gtest.h>

#include "platform/desktop/qt_bundle.h"
#include "platform/headless/english_texts.h"
#include "qt_test_app.h"

namespace strumwise::platform::desktop {
namespace {

TEST(QtBundle, AnswersTheApplicationsIdentity) {
    testing::qtTestApp();
    const QtBundle bundle(QLocale(QLocale::English), false);
    EXPECT_EQ(bundle.identifier(), "com.strumwise.tuner");
    EXPECT_EQ(bundle.infoValue("CFBundleName"), "Strumwise");
    EXPECT_EQ(bundle.infoValue("CFBundleDisplayName"), "Strumwise");
    EXPECT_TRUE(bundle.infoValue("CFBundleVersion").has_value());
    EXPECT_EQ(bundle.infoValue("NoSuchKey"), std::nullopt);
}

TEST(QtBundle, EnglishTextsAgreeWithTheHeadlessBundle) {
    testing::qtTestApp();
    const QtBundle bundle(QLocale(QLocale::English), false);
    EXPECT_EQ(bundle.language(), "en");
    for (const auto& text : headless::englishTexts()) {
        EXPECT_EQ(bundle.localizedString(text.key, "", text.table), text.text) << text.key;
    }
}

TEST(QtBundle, SpanishTranslatesTitlesAndTheRatingPrompt) {
    testing::qtTestApp();
    const QtBundle bundle(QLocale(QLocale::Spanish, QLocale::Spain), false);
    EXPECT_EQ(bundle.language(), "es");
    EXPECT_EQ(bundle.localizedString("TuningFreeTitle", "", ""), "Sol abierto (gDGBD)");
    EXPECT_EQ(bundle.localizedString("TuningFreeTitle", "", "Localizable"), "Sol abierto (gDGBD)");
    // The placeholder survives translation, for the rating prompt to fill in.
    EXPECT_EQ(bundle.localizedString("Rate %@", "", "RatingPromptLocalizable"), "Valora %@");
    EXPECT_EQ(bundle.localizedString("No, Thanks", "", "RatingPromptLocalizable"), "No, gracias");
}

TEST(QtBundle, AMissingTranslationFallsBackToTheValueThenTheKey) {
    testing::qtTestApp();
    const QtBundle bundle(QLocale(QLocale::Spanish), false);
    EXPECT_EQ(bundle.localizedString("NoSuchKey", "", ""), "NoSuchKey");
    EXPECT_EQ(bundle.localizedString("NoSuchKey", "fallback", ""), "fallback");
    // A key of one table is not found in another.
    EXPECT_EQ(bundle.localizedString("TuningFreeTitle", "", "RatingPromptLocalizable"),
              "TuningFreeTitle");
}

TEST(QtBundle, ALanguageWithoutTranslationGetsEnglish) {
    testing::qtTestApp();
    const QtBundle bundle(QLocale(QLocale::Japanese), false);
    EXPECT_EQ(bundle.localizedString("TuningFreeTitle4", "", ""), "G Modal (gDGCD)");
}

}  // namespace
}  // namespace strumwise::platform::desktop
