// The tuner window end to end: a plucked string fed through --input lights the green lamp, the
// note, the reference frequency and the string's picture; a hang-up closes it and writes the
// run count; a screen size without a layout gets a window that says so, and no rating alert over
// it; the logic's own log lines show only when asked for; the keyboard alone plays the forks and
// browses the tunings, turns the pages and opens the drop-downs, with a ring that shows where it
// is. The settings page changes the tuning shown at once and keeps it with the user defaults, says
// why it refuses a tuning, and takes the reference from a note only when asked to keep it; a touch
// on a string's note, or Shift and its number, locks and unlocks that string, and the captions show
// which.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "adapters/desktop/settings/qt_user_defaults.h"
#include "adapters/desktop/views/qt_focus_ring.h"
#include "adapters/desktop/views/qt_image_view_widget.h"
#include "adapters/desktop/views/qt_keyboard.h"
#include "adapters/desktop/views/qt_storyboard.h"
#include "adapters/desktop/views/qt_windows.h"
#include "app/desktop_window.h"
#include "qt_test_app.h"
#include "rating/rating_prompt.h"
#include "screen/view_controller.h"
#include "support/test_signals.h"
#include "tones/fork_buttons.h"

namespace strumwise::app {
namespace {

namespace desktop = platform::desktop;

class DesktopWindow : public ::testing::Test {
  protected:
    // A window of the given screen, a phone's by default, that hears `samples`.
    static DesktopWindowConfig configHearing(std::vector<std::int16_t> samples, int kind = 0,
                                             int height = 667) {
        DesktopWindowConfig config;
        config.screen = desktop::screenProfile(kind, height);
        config.input = platform::openSamples(std::move(samples));
        return config;
    }
    static DesktopWindowConfig silentConfig(int kind = 0, int height = 667) {
        return configHearing(std::vector<std::int16_t>(4096, 0), kind, height);
    }
    // Launches `app` and waits for its window to take the keyboard.
    static bool launchedWithKeys(DesktopWindowApp& app) {
        return app.launch() &&
               testing::processEventsUntil(
                   [&] { return app.windows().mainWindow()->isActiveWindow(); }, 5000);
    }
    template <typename Widget>
    static Widget* child(desktop::QtStoryboard& layout, const char* name) {
        auto* found = layout.rootWidget()->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QString textOf(desktop::QtStoryboard& layout, const char* outlet) {
        auto* label = child<QLabel>(layout, outlet);
        return label != nullptr ? label->text() : QStringLiteral("<missing>");
    }
    static std::string pictureOf(desktop::QtStoryboard& layout, const char* outlet) {
        auto* view = dynamic_cast<desktop::ImageViewWidget*>(child<QWidget>(layout, outlet));
        return view != nullptr ? view->pictureName() : "<missing>";
    }
    // What the window left in the user defaults.
    static desktop::QtUserDefaults stored() {
        return desktop::QtUserDefaults(
            "com.strumwise.tuner", desktop::QtUserDefaults::defaultFilePath("com.strumwise.tuner"));
    }

    testing::TestConfigHome home_;
};

TEST_F(DesktopWindow, APluckedFirstStringLightsTheGreenLampAndItsPicture) {
    DesktopWindowApp app(configHearing(testing::pluckedString(293.66, 3.0)));
    ASSERT_TRUE(app.launch());
    desktop::QtStoryboard* layout = app.layout();
    ASSERT_NE(layout, nullptr);
    // Start-up has drawn the first tuning.
    EXPECT_EQ(textOf(*layout, "firstString"), QStringLiteral("D4"));

    const bool lit = testing::processEventsUntil(
        [&] { return pictureOf(*layout, "LEDDisplay") == "green64.png"; }, 15000);
    ASSERT_TRUE(lit) << "the lamp shows " << pictureOf(*layout, "LEDDisplay");
    EXPECT_EQ(pictureOf(*layout, "LEDDisplay128"), "green128.png");
    EXPECT_EQ(pictureOf(*layout, "tunedString5"), "1st_string_6.png");
    EXPECT_EQ(textOf(*layout, "noteDisplay"), QStringLiteral("D4"));
    EXPECT_EQ(textOf(*layout, "freq_label"), QStringLiteral("293.6Hz"));
    EXPECT_TRUE(app.windows().keyWindow()->grab().save(testing::screenshotDir() +
                                                       QStringLiteral("/window_tuned_D4.png")));
}

TEST_F(DesktopWindow, APlainStartKeepsTheLogicsLogLinesOffTheTerminalAndVerboseShowsThem) {
    for (const bool verbose : {false, true}) {
        ::testing::internal::CaptureStderr();
        {
            DesktopWindowConfig config = silentConfig(0, 956);
            config.verbose = verbose;
            DesktopWindowApp app(std::move(config));
            EXPECT_TRUE(app.launch());
            testing::processEventsUntil([] { return false; }, 300);
        }
        const std::string written = ::testing::internal::GetCapturedStderr();
        // Marked as what they are, so that no player takes a developer's note for a report.
        for (const char* line :
             {"developer note: iPhone has a height of: 956",
              "developer note: AudioQueueSetProperty",
              verbose ? "developer note: Ya se abri" : "developer note: Me abriste"}) {
            EXPECT_EQ(written.find(line) != std::string::npos, verbose) << line << "\n" << written;
        }
    }
}

// How many pixels of a light band (the focus ring's) lie just above the middle of `area`.
int lightBandAbove(const QImage& image, const QRect& area) {
    int light = 0;
    for (int y = area.top() - 1; y >= std::max(0, area.top() - 10); --y) {
        const QColor pixel = image.pixelColor(area.center().x(), y);
        light += pixel.lightness() > 200 ? 1 : 0;
    }
    return light;
}

// Keys only: Tab walks the controls in reading order (the strings' notes lock a string, so they
// are controls too), 3 plays the third string's fork, whose button stays pressed until Space
// stops the tone, and the arrows browse the tunings. (Where the arrows stop, and what each fork
// plays, are the browser's and the forks' own rules.)
TEST_F(DesktopWindow, TheKeyboardAloneTunesBrowsesTurnsPagesAndARingShowsWhereItIs) {
    DesktopWindowApp app(silentConfig());
    ASSERT_TRUE(launchedWithKeys(app));
    QWidget* window = app.windows().mainWindow();
    desktop::QtStoryboard& layout = *app.layout();
    const auto press = [&](Qt::Key key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : window, key);
    };

    // The first tuning hides the arrow back, and the About page is not showing.
    std::vector<std::string> visited;
    for (int i = 0; i < 14; ++i) {
        visited.push_back(QApplication::focusWidget()->objectName().toStdString());
        press(Qt::Key_Tab);
    }
    EXPECT_EQ(visited, (std::vector<std::string>{
                           "showNextTuningButton", "firstString", "secondString", "thirdString",
                           "fourthString", "fifthString", "firstFreqButton", "secondFreqButton",
                           "thirdFreqButton", "fourthFreqButton", "fifthFreqButton", "stopButton",
                           "qt_tabwidget_tabbar", "showNextTuningButton"}));
    // On the About page the sound settings come before the store's buttons.
    // The settings page comes between the tuner and the About page.
    const QList<QWidget*> order = desktop::QtKeyboard::readingOrder(*window);
    EXPECT_EQ(order.back()->objectName(), QStringLiteral("qt_tabwidget_tabbar"));
    auto last = order.begin();
    for (const char* name :
         {"stopButton", "referencePitchSpin", "saveTuningButton", "toneVolumeSlider",
          "inputDeviceChoice", "outputDeviceChoice", "makerSiteButton"}) {
        const auto at = std::find_if(last, order.end(), [&](const QWidget* widget) {
            return widget->objectName() == QLatin1String(name);
        });
        EXPECT_NE(at, order.end()) << name << " after " << (*last)->objectName().toStdString();
        last = at != order.end() ? at : last;
    }

    auto* third = layout.rootWidget()->findChild<QPushButton*>(QStringLiteral("thirdFreqButton"));
    ASSERT_NE(third, nullptr);
    const auto playing = [&] {
        return app.controller()->curPlayState() == tones::ForkButtons::kPlaying;
    };
    press(Qt::Key_3);
    EXPECT_TRUE(playing());
    EXPECT_TRUE(third->isChecked());
    press(Qt::Key_Space);
    EXPECT_FALSE(playing());
    EXPECT_FALSE(third->isChecked());

    const QString first = textOf(layout, "currentTuningName");
    press(Qt::Key_Right);
    EXPECT_NE(textOf(layout, "currentTuningName"), first);
    press(Qt::Key_5);
    EXPECT_TRUE(playing());
    press(Qt::Key_Escape);
    EXPECT_FALSE(playing());
    press(Qt::Key_Left);
    EXPECT_EQ(textOf(layout, "currentTuningName"), first);

    // Every key the window takes is in the manual page's section on keys, as the page spells it.
    std::ifstream page(STRUMWISE_MANUAL_PAGE);
    const std::string manual(std::istreambuf_iterator<char>(page), {});
    const std::size_t from = manual.find(".SH KEYS");
    const std::string keys = manual.substr(from, manual.find(".SH ", from + 1) - from);
    for (const QShortcut* shortcut : window->findChildren<QShortcut*>()) {
        std::string key = shortcut->key().toString().toStdString();
        if (key == "Esc") {
            key = "Escape";
        } else if (key.size() == 1 && key[0] >= '1' && key[0] <= '5') {
            key = "1 \" to \" 5";  // one line for the five forks
        } else if (key.size() == 7 && key.starts_with("Shift+")) {
            key = "Shift+1 \" to \" Shift+5";  // and one for the five locks
        }
        EXPECT_NE(keys.find(key), std::string::npos) << key << " is not in the manual's keys:\n"
                                                     << keys;
    }

    // On the focused tab bar the arrows turn the pages rather than the tunings; Space and Return
    // open a focused drop-down rather than stopping the tone or pressing anything; and wherever
    // the focus is, tab bar and slider included, a light ring at least 2 pixels wide shows it.
    auto* pages = layout.rootWidget()->findChild<QTabWidget*>();
    auto* tabs = pages->findChild<QTabBar*>();
    auto* ring = dynamic_cast<desktop::QtFocusRing*>(
        window->findChild<QWidget*>(QStringLiteral("focusRing")));
    ASSERT_NE(ring, nullptr);
    const auto ringedOnScreen = [&](QWidget* control) {
        QCoreApplication::processEvents();
        EXPECT_EQ(ring->target(), control);
        EXPECT_TRUE(ring->isVisible());
        const QRect ringed = ring->ringedRect();
        EXPECT_TRUE(ring->geometry().contains(ringed));
        return lightBandAbove(window->grab().toImage(), ringed);
    };

    const QString title = textOf(layout, "currentTuningName");
    tabs->setFocus(Qt::TabFocusReason);
    EXPECT_GE(ringedOnScreen(tabs), 2) << "around the current tab";
    QTest::keyClick(tabs, Qt::Key_Right);
    EXPECT_EQ(pages->currentIndex(), 1);  // the settings
    QTest::keyClick(tabs, Qt::Key_Right);
    EXPECT_EQ(pages->currentIndex(), 2);  // about, with the sound settings
    EXPECT_EQ(textOf(layout, "currentTuningName"), title);
    EXPECT_GE(ringedOnScreen(tabs), 2) << "following the tab";

    auto* slider = layout.rootWidget()->findChild<QSlider*>(QStringLiteral("toneVolumeSlider"));
    slider->setFocus(Qt::TabFocusReason);
    EXPECT_GE(ringedOnScreen(slider), 2);

    auto* speakers =
        layout.rootWidget()->findChild<QComboBox*>(QStringLiteral("outputDeviceChoice"));
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        speakers->setFocus(Qt::TabFocusReason);
        EXPECT_GE(ringedOnScreen(speakers), 2);
        QTest::keyClick(speakers, key);
        EXPECT_TRUE(speakers->view()->isVisible()) << key;
        speakers->hidePopup();
    }
    tabs->setFocus(Qt::TabFocusReason);
    QTest::keyClick(tabs, Qt::Key_Left);
    QTest::keyClick(tabs, Qt::Key_Left);
    EXPECT_EQ(pages->currentIndex(), 0);
}

TEST_F(DesktopWindow, ATouchOnAStringsNoteOrShiftAndItsNumberLocksAndUnlocksIt) {
    DesktopWindowApp app(silentConfig());
    ASSERT_TRUE(launchedWithKeys(app));
    desktop::QtStoryboard& layout = *app.layout();
    QWidget* window = app.windows().mainWindow();
    const auto locked = [&] { return app.controller()->playerSettings().settings().lockedString; };
    auto* thirdNote = child<QLabel>(layout, "thirdString");
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

    QTest::mouseClick(thirdNote, Qt::LeftButton);
    EXPECT_EQ(locked(), 3);
    EXPECT_TRUE(thirdNote->property("locked").toBool());
    EXPECT_NE(captionOf(3)->text(), ownCaption);
    EXPECT_EQ(child<QComboBox>(layout, "lockChoice")->currentIndex(), 3);

    QTest::keyClick(window, Qt::Key_3, Qt::ShiftModifier);
    EXPECT_EQ(locked(), 0);
    EXPECT_FALSE(thirdNote->property("locked").toBool());
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

TEST_F(DesktopWindow, AScreenWithoutALayoutShowsWhichSizesHaveOne) {
    DesktopWindowApp app(silentConfig(0, 800));
    EXPECT_FALSE(app.launch());
    EXPECT_EQ(app.controller(), nullptr);
    ASSERT_TRUE(app.windows().hasWindow());
    auto* message =
        app.windows().keyWindow()->findChild<QLabel*>(QStringLiteral("noLayoutMessage"));
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(message->text().contains(QStringLiteral("phone:800")));
    EXPECT_TRUE(message->text().contains(QStringLiteral("pad:1024")));

    rating::RatingPrompt::forceShowPrompt(app.ratingPrompt(), true);
    EXPECT_EQ(app.windows().keyWindow()->findChild<QMessageBox*>(), nullptr)
        << "the rating alert never covers the explanation";
}

// (SIGTERM does the same: the sound-server outage scenario sends it.)
TEST_F(DesktopWindow, SighupClosesTheWindowCleanlyAndKeepsTheRunCount) {
    DesktopWindowApp app(silentConfig(1, 1024));
    ASSERT_TRUE(app.launch());
    QTimer::singleShot(300, [] { ::raise(SIGHUP); });
    EXPECT_EQ(app.exec(), 0);
    EXPECT_EQ(stored().integerForKey("numberOfRuns"), 1);
}

TEST_F(DesktopWindow, ACapoAndATuningOfThePlayersOwnShowAtOnceAndAreKept) {
    DesktopWindowApp app(silentConfig());
    ASSERT_TRUE(app.launch());
    desktop::QtStoryboard& layout = *app.layout();
    const QString openG = textOf(layout, "currentTuningName");

    auto* capo = child<QComboBox>(layout, "capoChoice");
    capo->setCurrentIndex(2);
    capo->activated(2);
    EXPECT_EQ(textOf(layout, "currentTuningName"), openG + QStringLiteral(", capo 2"));
    // The chart of open G two frets up, drawn as the build draws the four.
    auto* chart = dynamic_cast<desktop::ImageViewWidget*>(child<QWidget>(layout, "chartDisplay"));
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
    EXPECT_EQ(stored().stringForKey("capoFret"), "2");
    EXPECT_EQ(stored().stringForKey("customTunings"), "Low D=A4 D3 A3 D4 E4");
}

// A sustained G3 at A4 = 442.3 Hz: the button offers that reference and changes nothing until it
// is kept, and the spin box then shows it; silence is refused with a reason. (The words and the
// reference offered are the screen's own rule.)
TEST_F(DesktopWindow, TakingTheReferenceFromANoteOffersItBeforeKeepingIt) {
    std::vector<std::int16_t> samples(14039, 0);  // a second of silence, then the note
    const auto note = testing::pluckedString(442.3 * std::pow(2.0, -14.0 / 12.0), 6.0, 0.8);
    samples.insert(samples.end(), note.begin(), note.end());
    DesktopWindowApp app(configHearing(std::move(samples)));
    ASSERT_TRUE(app.launch());
    desktop::QtStoryboard& layout = *app.layout();
    auto* take = child<QPushButton>(layout, "takeReferenceButton");
    auto* keep = child<QPushButton>(layout, "keepReferenceButton");
    auto* message = child<QLabel>(layout, "referenceMessage");
    const auto reference = [&] {
        return app.controller()->playerSettings().settings().referenceTenths / 10.0;
    };

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
    EXPECT_EQ(reference(), 440.0);
    keep->click();
    EXPECT_NEAR(reference(), 442.3, 0.3);
    EXPECT_EQ(child<QDoubleSpinBox>(layout, "referencePitchSpin")->value(), reference());
    EXPECT_TRUE(keep->isHidden());
}

}  // namespace
}  // namespace strumwise::app
