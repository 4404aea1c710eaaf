// The player's settings in the window: the settings page changes the tuning shown at once and
// keeps it with the user defaults, says why it refuses a tuning, and takes the reference from a
// note only when asked to keep it; a touch on a string's note, or Shift and its number, locks
// and unlocks that string, and the captions show which.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "adapters/desktop/settings/qt_user_defaults.h"
#include "adapters/desktop/views/qt_image_view_widget.h"
#include "adapters/desktop/views/qt_storyboard.h"
#include "adapters/desktop/views/qt_windows.h"
#include "app/desktop_window.h"
#include "qt_test_app.h"
#include "screen/view_controller.h"
#include "support/test_signals.h"

namespace strumwise::app {
namespace {

namespace desktop = platform::desktop;

class WindowSettings : public ::testing::Test {
  protected:
    static DesktopWindowConfig configHearing(std::vector<std::int16_t> samples) {
        DesktopWindowConfig config;
        config.screen = desktop::screenProfile(0, 667);
        config.input = platform::openSamples(std::move(samples));
        return config;
    }
    template <typename Widget>
    static Widget* child(desktop::QtStoryboard& layout, const char* name) {
        auto* found = layout.rootWidget()->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QString textOf(desktop::QtStoryboard& layout, const char* name) {
        return child<QLabel>(layout, name)->text();
    }

    testing::TestConfigHome home_;
};

TEST_F(WindowSettings, ACapoAndATuningOfThePlayersOwnShowAtOnceAndAreKept) {
    DesktopWindowApp app(configHearing(std::vector<std::int16_t>(4096, 0)));
    ASSERT_TRUE(app.launch());
    desktop::QtStoryboard& layout = *app.layout();
    const QString openG = textOf(layout, "currentTuningName");

    auto* capo = child<QComboBox>(layout, "capoChoice");
    capo->setCurrentIndex(2);
    capo->activated(2);
    EXPECT_EQ(textOf(layout, "currentTuningName"), openG + QStringLiteral(", capo 2"));
    EXPECT_EQ(textOf(layout, "thirdString"), QStringLiteral("A3"));
    // The chart of open G two frets up, drawn as the build draws the four.
    auto* chart = dynamic_cast<desktop::ImageViewWidget*>(
        layout.rootWidget()->findChild<QWidget*>(QStringLiteral("chartDisplay")));
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->pictureName(), "chartipad_G4_E3_A3_C#4_E4.png");
    EXPECT_EQ(chart->picture().size(), QSize(1200, 330));

    // Typed into the fields, digits and spaces are the tuning's, not the forks' and Stop's keys.
    auto* name = child<QLineEdit>(layout, "tuningNameEdit");
    auto* notes = child<QLineEdit>(layout, "tuningNotesEdit");
    auto* message = child<QLabel>(layout, "customTuningMessage");
    name->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(name, QStringLiteral("Bad one"));
    QTest::keyClicks(notes, QStringLiteral("G4 D3 G3 H3 D4"));
    QTest::keyClick(notes, Qt::Key_Return);
    EXPECT_TRUE(message->text().contains(QStringLiteral("H3"))) << message->text().toStdString();
    EXPECT_EQ(app.controller()->curPlayState(), tones::ForkButtons::kSilent);
    auto* custom = child<QListWidget>(layout, "customTuningsList");
    EXPECT_EQ(custom->count(), 0);

    notes->clear();
    name->clear();
    QTest::keyClicks(name, QStringLiteral("Low D"));
    QTest::keyClicks(notes, QStringLiteral("aDADE"));
    QTest::keyClick(notes, Qt::Key_Return);
    ASSERT_EQ(custom->count(), 1);
    EXPECT_EQ(custom->item(0)->text(), QStringLiteral("Low D \u2014 A4 D3 A3 D4 E4"));
    // The arrows reach it after the four.
    auto* next = desktop::QtStoryboard::buttonFor(*layout.rootWidget(), "showNextTuning:");
    for (int i = 0; i < 4; ++i) {
        next->click();
    }
    EXPECT_EQ(textOf(layout, "currentTuningName"), QStringLiteral("Low D, capo 2"));

    ASSERT_TRUE(app.shutDown());
    const desktop::QtUserDefaults stored(
        "com.strumwise.tuner", desktop::QtUserDefaults::defaultFilePath("com.strumwise.tuner"));
    EXPECT_EQ(stored.stringForKey("capoFret"), "2");
    EXPECT_EQ(stored.stringForKey("customTunings"), "Low D=A4 D3 A3 D4 E4");
}

TEST_F(WindowSettings, ATouchOnAStringsNoteOrShiftAndItsNumberLocksAndUnlocksIt) {
    DesktopWindowApp app(configHearing(std::vector<std::int16_t>(4096, 0)));
    ASSERT_TRUE(app.launch());
    desktop::QtStoryboard& layout = *app.layout();
    QWidget* window = app.windows().mainWindow();
    ASSERT_TRUE(testing::processEventsUntil([&] { return window->isActiveWindow(); }, 5000));
    const auto locked = [&] { return app.controller()->playerSettings().settings().lockedString; };
    auto* third = child<QLabel>(layout, "thirdString");
    const auto captionOf = [&](int string) {
        for (QLabel* label : layout.rootWidget()->findChildren<QLabel*>()) {
            if (label->property("lockString").toInt() == string &&
                label->property("role").toString() == QStringLiteral("caption")) {
                return label;
            }
        }
        return static_cast<QLabel*>(nullptr);
    };
    const QString ownCaption = captionOf(3)->text();

    QTest::mouseClick(third, Qt::LeftButton);
    EXPECT_EQ(locked(), 3);
    EXPECT_TRUE(third->property("locked").toBool());
    EXPECT_NE(captionOf(3)->text(), ownCaption);
    EXPECT_EQ(child<QComboBox>(layout, "lockChoice")->currentIndex(), 3);

    QTest::keyClick(window, Qt::Key_3, Qt::ShiftModifier);
    EXPECT_EQ(locked(), 0);
    EXPECT_FALSE(third->property("locked").toBool());
    EXPECT_EQ(captionOf(3)->text(), ownCaption);

    QTest::keyClick(window, Qt::Key_5, Qt::ShiftModifier);
    EXPECT_EQ(locked(), 5);
    // From the keyboard, a focused note is pressed as a button is, with Return; Space still
    // stops the tone.
    auto* fifth = child<QLabel>(layout, "fifthString");
    fifth->setFocus(Qt::TabFocusReason);
    QTest::keyClick(fifth, Qt::Key_Space);
    EXPECT_EQ(locked(), 5);
    QTest::keyClick(fifth, Qt::Key_Return);
    EXPECT_EQ(locked(), 0);
}

// A sustained G3 at A4 = 442.3 Hz: "take it from a note" offers that reference and changes
// nothing until it is kept. Silence is refused with a reason.
TEST_F(WindowSettings, TakingTheReferenceFromANoteOffersItBeforeKeepingIt) {
    const double g3 = 442.3 * std::pow(2.0, -14.0 / 12.0);
    std::vector<std::int16_t> samples(14039, 0);  // a second of silence, then the note
    const std::vector<std::int16_t> note = testing::pluckedString(g3, 6.0, 0.8);
    samples.insert(samples.end(), note.begin(), note.end());
    DesktopWindowApp app(configHearing(std::move(samples)));
    ASSERT_TRUE(app.launch());
    desktop::QtStoryboard& layout = *app.layout();
    auto* take = child<QPushButton>(layout, "takeReferenceButton");
    auto* keep = child<QPushButton>(layout, "keepReferenceButton");
    auto* message = child<QLabel>(layout, "referenceMessage");

    take->click();
    EXPECT_FALSE(message->text().isEmpty());
    EXPECT_TRUE(keep->isHidden());

    ASSERT_TRUE(testing::processEventsUntil(
        [&] {
            take->click();
            return !keep->isHidden();
        },
        15000))
        << message->text().toStdString();
    EXPECT_TRUE(message->text().startsWith(QStringLiteral("A4 = 442.")))
        << message->text().toStdString();
    EXPECT_TRUE(message->text().endsWith(QStringLiteral(" Hz \u2014 keep?")));
    const int offered = static_cast<int>(std::lround(
        message->text().mid(5, message->text().indexOf(QLatin1Char(' '), 5) - 5).toDouble() * 10));
    EXPECT_EQ(app.controller()->playerSettings().settings().referenceTenths, 4400);
    keep->click();
    EXPECT_EQ(app.controller()->playerSettings().settings().referenceTenths, offered);
    EXPECT_NEAR(child<QDoubleSpinBox>(layout, "referencePitchSpin")->value(), offered / 10.0, 1e-9);
    EXPECT_TRUE(keep->isHidden());
}

}  // namespace
}  // namespace strumwise::app
