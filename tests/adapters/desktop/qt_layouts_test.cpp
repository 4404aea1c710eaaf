// Every main-screen layout: it loads, connects every outlet with the right kind of view, sends
// every action, gives the screen class's own indicator room, shows every text of both languages
// whole with the installed fonts (the About page's sound settings included), lets the tuning
// meter lead, stands the picture of the meter's last seconds under it, clear of every other view,
// keeps every view in place whatever its texts say, dims a stale match, scales evenly with its
// window, and looks right (a screenshot per layout, of a G3 20 cents sharp after
// a match, lands in <build>/screenshots).
// The picture of the meter's last seconds draws each string's readings in a colour of its own
// that colour-blind players tell apart, and its accessible name says the trend in both languages.

#include <gtest/gtest.h>

#include <QBoxLayout>
#include <QComboBox>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "adapters/desktop/system/qt_bundle.h"
#include "adapters/desktop/system/screen_profile.h"
#include "adapters/desktop/system/stderr_log.h"
#include "adapters/desktop/views/qt_about_version.h"
#include "adapters/desktop/views/qt_audio_settings.h"
#include "adapters/desktop/views/qt_image_view_widget.h"
#include "adapters/desktop/views/qt_images.h"
#include "adapters/desktop/views/qt_meter_widgets.h"
#include "adapters/desktop/views/qt_reading_history.h"
#include "adapters/desktop/views/qt_scaled_page.h"
#include "adapters/desktop/views/qt_storyboard.h"
#include "adapters/desktop/views/qt_windows.h"
#include "adapters/headless/outlet_names.h"
#include "qt_test_app.h"
#include "tuner/tuning_meter.h"
#include "view/action_names.h"
#include "view/screen_class.h"

namespace strumwise::platform::desktop {
namespace {

using headless::kMainScreenOutlets;
using headless::OutletKind;

struct LayoutCase {
    view::ScreenClass screenClass;
    ScreenProfile profile;               // the tallest screen of the class
    std::vector<ScreenProfile> screens;  // every screen of the class
};

std::vector<LayoutCase> everyLayout() {
    std::vector<LayoutCase> cases;
    for (const auto& screen : listedScreens()) {
        const auto screenClass = view::screenClassFor(screen.idiom, screen.height);
        const ScreenProfile profile{screen.idiom, static_cast<double>(screen.height), screen.width};
        const auto same = [&](const LayoutCase& c) { return c.screenClass == screenClass; };
        if (auto found = std::find_if(cases.begin(), cases.end(), same); found != cases.end()) {
            found->profile = profile;
            found->screens.push_back(profile);
        } else {
            cases.push_back({screenClass, profile, {profile}});
        }
    }
    return cases;
}

std::vector<std::string> everyActionName() {
    std::vector<std::string> names(view::kForkActions.begin(), view::kForkActions.end());
    names.insert(names.end(),
                 {std::string(view::kStopAction), std::string(view::kPreviousTuningAction),
                  std::string(view::kNextTuningAction), std::string(view::kMakerSiteAction),
                  std::string(view::kReviewAction)});
    names.insert(names.end(), view::kSiblingAppActions.begin(), view::kSiblingAppActions.end());
    return names;
}

bool covers(QSize have, QSize needed) {
    return have.expandedTo(needed) == have;
}

QString sizeText(QSize size) {
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

QRect placeOn(const QWidget& page, const QWidget& view) {
    return {view.mapTo(&page, QPoint(0, 0)), view.size()};
}

// Where each view the page shows stands on it, and its size.
std::map<QWidget*, QRect> placesOf(QWidget& page) {
    std::map<QWidget*, QRect> places;
    for (QWidget* view : page.findChildren<QWidget*>()) {
        if (view->isVisibleTo(&page)) {
            places[view] = placeOn(page, *view);
        }
    }
    return places;
}

// Every text on the page that its widget shows only in part, with the sizes: a label or a button
// smaller than its text needs, a wrapped label too short for its lines, a tab narrower than its
// title. Each page of a tabbed layout is brought up in turn.
std::vector<std::string> clippedTexts(QWidget& page) {
    std::vector<std::string> clipped;
    const auto check = [&](const QWidget& widget, const QString& text, QSize have, QSize needed) {
        if (!text.isEmpty() && !covers(have, needed)) {
            clipped.push_back(QStringLiteral("%1 \"%2\" %3 needs %4")
                                  .arg(widget.objectName(), text, sizeText(have), sizeText(needed))
                                  .toStdString());
        }
    };
    auto* tabs = page.findChild<QTabWidget*>();
    for (int tab = 0; tab < (tabs != nullptr ? tabs->count() : 1); ++tab) {
        if (tabs != nullptr) {
            tabs->setCurrentIndex(tab);
            QCoreApplication::processEvents();
        }
        for (QWidget* widget : page.findChildren<QWidget*>()) {
            if (!widget->isVisibleTo(&page) || widget->size().isEmpty()) {
                continue;
            }
            if (auto* bar = qobject_cast<QTabBar*>(widget)) {
                for (int index = 0; index < bar->count(); ++index) {
                    const QString title = bar->tabText(index);
                    check(
                        *bar, title, bar->tabRect(index).size(),
                        {bar->fontMetrics().horizontalAdvance(title), bar->fontMetrics().height()});
                }
            } else if (auto* label = qobject_cast<QLabel*>(widget)) {
                check(*label, label->text(), label->size(),
                      label->wordWrap() ? QSize(0, label->heightForWidth(label->width()))
                                        : label->sizeHint());
            } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                check(*button, button->text(), button->size(), button->sizeHint());
            } else if (auto* choice = qobject_cast<QComboBox*>(widget)) {
                // The drop-down's text field, inside its frame and beside its arrow.
                QStyleOptionComboBox option;
                option.initFrom(choice);
                option.currentText = choice->currentText();
                const QRect field = choice->style()->subControlRect(
                    QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, choice);
                const QFontMetrics metrics = choice->fontMetrics();
                check(*choice, choice->currentText(), field.size(),
                      {metrics.horizontalAdvance(choice->currentText()), metrics.height()});
            }
            // A view reaching out of its parent sideways is cut at the parent's edge.
            const QWidget* parent = widget->parentWidget();
            if (parent != nullptr && widget != &page &&
                (widget->x() < 0 || widget->geometry().right() >= parent->width())) {
                clipped.push_back(widget->objectName().toStdString() +
                                  " reaches out of its parent");
            }
        }
    }
    return clipped;
}

// What the window adds to the About page: the version line and the sound settings, on a tuner
// that hears a file.
void addSoundSettings(QtStoryboard& layout) {
    ASSERT_NE(addVersionToAboutPage(*layout.rootWidget()), nullptr);
    AudioSettings settings;
    settings.inputIsFile = true;
    settings.volumeDb = -12.0;
    ASSERT_NE(QtAudioSettingsPanel::addToAboutArea(*layout.rootWidget(), std::move(settings)),
              nullptr);
}

// What is wrong with `page` as a player sees it: the picture of the meter's last seconds missing,
// too small, outside the tuner's panel, above the meter, or covering any other view the page
// shows (its own ancestors aside); a text shown only in part; or the tuning meter falling short of
// leading, its scale narrower than three quarters of the tuner's panel or its type smaller than
// 18 pixels.
std::vector<std::string> layoutFaults(QWidget& page) {
    auto* picture = page.findChild<ReadingHistoryWidget*>(QStringLiteral("readingHistory"));
    auto* panel = page.findChild<QWidget*>(QStringLiteral("tunerPanel"));
    auto* meter = page.findChild<TuningMeterWidget*>(QStringLiteral("tuningMeter"));
    if (picture == nullptr || panel == nullptr || meter == nullptr) {
        return {"no picture, panel or meter"};
    }
    std::vector<std::string> faults;
    const auto fault = [&](bool is, const std::string& what) {
        if (is) {
            faults.push_back(what);
        }
    };
    const QRect place = placeOn(page, *picture);
    // As wide as the meter's scale must be, and tall enough to tell a few cents apart.
    fault(!picture->isVisibleTo(&page) || place.height() < 30 ||
              place.width() < 0.75 * panel->width(),
          "picture " + sizeText(place.size()).toStdString());
    fault(!placeOn(page, *panel).contains(place), "picture outside the tuner's panel");
    fault(place.top() < placeOn(page, *meter).bottom(), "picture not under the meter");
    for (QWidget* view : page.findChildren<QWidget*>()) {
        fault(view != picture && !view->isAncestorOf(picture) && view->isVisibleTo(&page) &&
                  !view->size().isEmpty() && placeOn(page, *view).intersects(place),
              "picture overlaps " + view->objectName().toStdString());
    }
    // After the picture's place: this turns every page of a tabbed layout.
    for (std::string& clipped : clippedTexts(page)) {
        faults.push_back(std::move(clipped));
    }
    fault(meter->scaleRect().width() < 0.75 * panel->width(),
          "scale " + std::to_string(meter->scaleRect().width()) + " px");
    fault(meter->textPixelSize() < 18, "text " + std::to_string(meter->textPixelSize()) + " px");
    return faults;
}

// Every control a user can reach (a focusable button by its object name, a page tab by its place)
// with what it tells the pointer and assistive technology: its tooltip and its accessible name.
using Descriptions = std::map<std::string, std::pair<std::string, std::string>>;
Descriptions controlDescriptions(QWidget& root) {
    Descriptions descriptions;
    for (const QAbstractButton* button : root.findChildren<QAbstractButton*>()) {
        // The tab bar's own scroll buttons are never shown: the tabs always fit.
        if (button->focusPolicy() != Qt::NoFocus &&
            qobject_cast<QTabBar*>(button->parentWidget()) == nullptr) {
            descriptions[button->objectName().toStdString()] = {
                button->toolTip().toStdString(), button->accessibleName().toStdString()};
        }
    }
    for (const QTabWidget* tabs : root.findChildren<QTabWidget*>()) {
        for (int tab = 0; tab < tabs->count(); ++tab) {
            descriptions["tab " + std::to_string(tab)] = {tabs->tabToolTip(tab).toStdString(),
                                                          tabs->tabText(tab).toStdString()};
        }
    }
    return descriptions;
}

// The texts the screen writes into a layout's labels as it runs, by key; each label gets the
// longest of its texts.
const std::map<std::string, std::vector<std::string>> kRunTimeTexts = {
    {"currentTuningName",
     {"TuningFreeTitle", "TuningFreeTitle2", "TuningFreeTitle3", "TuningFreeTitle4"}},
    {"audioStatusLabel", {"NoMicrophone", "MicrophoneLost", "NoAudioOutput"}},
    {"aboutCongratsMessage", {"TunerAboutCongratsMessage"}},
    {"aboutMsg2", {"TunerAboutMsg2"}},
};

void writeRunTimeTexts(QtStoryboard& layout, const QtBundle& bundle) {
    for (const auto& [outlet, keys] : kRunTimeTexts) {
        std::string longest;
        for (const std::string& key : keys) {
            longest = std::max(longest, bundle.localizedString(key, "", ""),
                               [](const auto& a, const auto& b) { return a.size() < b.size(); });
        }
        layout.label(outlet)->setText(longest);
    }
}

class EveryLayout : public ::testing::TestWithParam<LayoutCase> {
  protected:
    void SetUp() override { testing::qtTestApp(); }
    const LayoutCase& layoutCase = GetParam();
    const std::string name = std::string(view::storyboardName(layoutCase.screenClass));
    // The size the class's layout is designed for: its tallest screen's.
    const QSize design{layoutCase.profile.width, static_cast<int>(layoutCase.profile.height)};
    StderrLog log_;
};

TEST_P(EveryLayout, ConnectsEveryOutletWithItsKindOfViewAndSendsEveryActionOnce) {
    std::string error;
    auto storyboard = loadStoryboardResource(name, &error);
    ASSERT_NE(storyboard, nullptr) << error;
    for (const auto& outlet : kMainScreenOutlets) {
        for (const auto& [kind, found] :
             {std::pair{OutletKind::Label, storyboard->label(outlet.name) != nullptr},
              {OutletKind::ImageView, storyboard->imageView(outlet.name) != nullptr},
              {OutletKind::Button, storyboard->button(outlet.name) != nullptr},
              {OutletKind::TuningMeter, storyboard->tuningMeter(outlet.name) != nullptr},
              {OutletKind::LevelMeter, storyboard->levelMeter(outlet.name) != nullptr}}) {
            EXPECT_EQ(found, outlet.kind == kind) << outlet.name;
        }
    }
    EXPECT_NE(storyboard->readingHistory("readingHistory"), nullptr);
    std::vector<std::string> sent;
    storyboard->setActionHandler([&](std::string_view action) { sent.emplace_back(action); });
    for (QPushButton* button : storyboard->rootWidget()->findChildren<QPushButton*>()) {
        button->click();
    }
    auto expected = everyActionName();
    std::sort(expected.begin(), expected.end());
    std::sort(sent.begin(), sent.end());
    EXPECT_EQ(sent, expected);
}

// The indicator the class's screens show, and the picture of string 3 made for them.
std::string indicatorOf(view::ScreenClass screenClass) {
    using view::ScreenClass;
    return screenClass == ScreenClass::iPhone4s ? "tunedString"
           : screenClass >= ScreenClass::iPad   ? "tunedStringiPad"
                                                : "tunedString5";
}
std::string thirdStringPicture(view::ScreenClass screenClass) {
    using view::ScreenClass;
    const char* suffix = screenClass == ScreenClass::iPhone4s  ? ""
                         : screenClass == ScreenClass::iPhone  ? "_5"
                         : screenClass == ScreenClass::iPhone6 ? "_6"
                         : screenClass == ScreenClass::iPad    ? "_iPad"
                         : screenClass > ScreenClass::iPad     ? "_iPad_Pro"
                                                               : "_6plus";
    return std::string("3rd_string") + suffix + ".png";
}

// The class's own indicator has room to show its picture while the other two take none, so
// showing them on a match changes nothing on screen; the window opens with the design's
// proportions, no larger than the desktop. A G3 matched and then heard 20 cents sharp greys the
// lamp, the note and the picture, and the meter leads; back in tune, all is green again.
TEST_P(EveryLayout, ShowsOnlyItsOwnIndicatorAndOpensWithinTheDesktop) {
    SCOPED_TRACE(name);
    QtWindows windows(layoutCase.profile, "Strumwise", log_);
    QtImages images;
    Storyboard* storyboard = windows.loadStoryboard(name);
    ASSERT_NE(storyboard, nullptr);
    windows.installWindow(*storyboard);
    QWidget* window = windows.keyWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_LE(window->height(), window->screen()->availableGeometry().height());
    EXPECT_NEAR(window->width() * design.height(), window->height() * design.width(),
                design.height());
    window->resize(design);
    QWidget* root = windows.keyStoryboard()->rootWidget();
    const auto picture = [&](const std::string& outlet) {
        return root->findChild<ImageViewWidget*>(QString::fromStdString(outlet));
    };
    const std::string lamp =
        layoutCase.screenClass >= view::ScreenClass::iPad ? "LEDDisplay128" : "LEDDisplay";
    EXPECT_EQ(picture(lamp)->pictureName().rfind("yellow", 0), 0u) << "unlit before any tick";
    // A tuned third string, as the tick draws it, then heard 20 cents sharp.
    storyboard->imageView("LEDDisplay")->setImage(images.imageNamed("green64.png"));
    storyboard->imageView("LEDDisplay128")->setImage(images.imageNamed("green128.png"));
    const std::string indicator = indicatorOf(layoutCase.screenClass);
    const char* const indicators[] = {"tunedString", "tunedString5", "tunedStringiPad"};
    for (const char* view : indicators) {
        storyboard->imageView(view)->setHidden(false);
    }
    storyboard->imageView(indicator)->setImage(
        images.imageNamed(thirdStringPicture(layoutCase.screenClass)));
    storyboard->label("noteDisplay")->setText("G3");
    storyboard->label("freq_label")->setText("198.3Hz");
    storyboard->tuningMeter("tuningMeter")->show(tuner::tuningMeterReading(1, 198.27));
    storyboard->screenLook("screenLook")->show(ScreenLook::Stale);
    QCoreApplication::processEvents();
    auto* note = root->findChild<QLabel*>(QStringLiteral("noteDisplay"));
    const auto noteSaturation = [&] {
        return note->palette().color(QPalette::WindowText).saturationF();
    };
    EXPECT_TRUE(picture(lamp)->dimmed() && picture(indicator)->dimmed());
    EXPECT_LT(noteSaturation(), 0.3) << "a grey note";
    const auto* meter = root->findChild<TuningMeterWidget*>(QStringLiteral("tuningMeter"));
    EXPECT_EQ(meter->look(), ScreenLook::Stale);
    EXPECT_EQ(meter->accessibleName(), QStringLiteral("G3, 20 cents sharp, tune down"));
    EXPECT_EQ(picture(lamp)->accessibleName(), QStringLiteral("Lamp: no longer in tune"));
    EXPECT_TRUE(window->grab().save(testing::screenshotDir() + QStringLiteral("/") +
                                    QString::fromStdString(name) + QStringLiteral(".png")));
    storyboard->screenLook("screenLook")->show(ScreenLook::InTune);
    QCoreApplication::processEvents();
    EXPECT_FALSE(picture(lamp)->dimmed() || picture(indicator)->dimmed());
    EXPECT_GT(noteSaturation(), 0.5) << "a green note";
    for (const char* view : indicators) {
        const QSize size = picture(view)->size();
        EXPECT_TRUE(view == indicator ? size.width() > 60 && size.height() > 80 : size.isEmpty())
            << view << " " << sizeText(size).toStdString();
    }
}

// The texts the tuner writes as it runs change length all the time ("196Hz", "198.4Hz", a fork's
// note shown and cleared); no view moves or changes size for it, by a pixel, so the picture, the
// help text and the fork panel's header stay put.
TEST_P(EveryLayout, KeepsEveryViewInPlaceWhateverItsTextsSay) {
    const QtBundle bundle(QLocale(QLocale::Spanish), true);
    auto layout = loadStoryboardResource(name, nullptr);
    ASSERT_NE(layout, nullptr);
    addSoundSettings(*layout);
    ScaledPage page(*layout->rootWidget(), design);
    page.show();
    const std::string open = bundle.localizedString("TuningFreeTitle", "", "");
    const std::string doubleD = bundle.localizedString("TuningFreeTitle2", "", "");
    const auto write = [&](int variant) {
        const std::vector<std::pair<const char*, std::vector<std::string>>> texts = {
            {"freq_label", {"196Hz", "198.4Hz", "88.1Hz"}},
            {"noteDisplay", {"G3", "D4", "C3"}},
            {"tfnoteDisplay", {"", "D3", "E4"}},
            {"tfFreqLabel", {"", "146.8Hz", "440Hz"}},
            {"currentTuningName", {open, doubleD, open}},
        };
        for (const auto& [outlet, values] : texts) {
            layout->label(outlet)->setText(values[static_cast<std::size_t>(variant)]);
        }
        QCoreApplication::processEvents();
        return placesOf(*page.page());
    };
    write(0);  // the page settles on its first texts
    const auto first = write(0);
    for (int variant = 1; variant < 3; ++variant) {
        const auto now = write(variant);
        for (const auto& [view, place] : first) {
            EXPECT_TRUE(now.at(view) == place)
                << view->objectName().toStdString() << " with texts " << variant;
        }
    }
}

// On every screen of its class and in both languages, with the fonts the setup installs, the
// layout fits the screen and every text (its own and those the screen writes as it runs) is shown
// whole. Every control has a tooltip and an accessible name, each translated into Spanish, and
// the About page names the version.
TEST_P(EveryLayout, ShowsEveryTextWholeOnEveryScreenInBothLanguages) {
    Descriptions english;
    for (const QLocale& locale : {QLocale(QLocale::English), QLocale(QLocale::Spanish)}) {
        const QtBundle bundle(locale, true);  // the layouts' texts are translated on loading
        SCOPED_TRACE(name + " " + bundle.language());
        {
            auto layout = loadStoryboardResource(name, nullptr);
            ASSERT_NE(layout, nullptr);
            const auto descriptions = controlDescriptions(*layout->rootWidget());
            for (const auto& [control, description] : descriptions) {
                const auto& [tooltip, accessibleName] = description;
                EXPECT_FALSE(tooltip.empty() || accessibleName.empty()) << control;
                EXPECT_TRUE(english.empty() || tooltip != english[control].first) << control;
            }
            english = descriptions;
            // The about texts name the version in the player's language, right under the product
            // name where the page shows one, so that a bug report can say which build it was.
            QLabel* version = addVersionToAboutPage(*layout->rootWidget());
            ASSERT_NE(version, nullptr);
            const QString word = bundle.language() == "en" ? "Version" : "Versión";
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^%1 \\d+\\.\\d+\\.\\d+$").arg(word))
                            .match(version->text())
                            .hasMatch())
                << version->text().toStdString();
            auto* box = qobject_cast<QBoxLayout*>(version->parentWidget()->layout());
            ASSERT_NE(box, nullptr);
            const int at = box->indexOf(version);
            const bool hasProductName =
                !version->parentWidget()
                     ->findChildren<QLabel*>(QRegularExpression(QStringLiteral("^productName")),
                                             Qt::FindDirectChildrenOnly)
                     .isEmpty();
            const QString above = at > 0 ? box->itemAt(at - 1)->widget()->objectName() : "";
            EXPECT_TRUE(hasProductName ? above.startsWith(QStringLiteral("productName")) : at == 0)
                << at;
        }
        for (const ScreenProfile& screen : layoutCase.screens) {
            auto layout = loadStoryboardResource(name, nullptr);
            ASSERT_NE(layout, nullptr);
            const QSize size(screen.width, static_cast<int>(screen.height));
            SCOPED_TRACE(screen.text());
            EXPECT_TRUE(covers(size, layout->rootWidget()->minimumSizeHint()));
            addSoundSettings(*layout);
            ScaledPage page(*layout->rootWidget(), size);
            page.show();
            QCoreApplication::processEvents();
            ASSERT_EQ(QFontInfo(page.page()->font()).family(), QStringLiteral("DejaVu Sans"));
            writeRunTimeTexts(*layout, bundle);
            // The longest note and frequency the tuner writes for a banjo's strings.
            layout->label("noteDisplay")->setText("G3");
            layout->label("freq_label")->setText("198.4Hz");
            QCoreApplication::processEvents();
            EXPECT_EQ(layoutFaults(page), std::vector<std::string>{});
            if (screen.text() == "phone:667") {
                EXPECT_GE(page.findChild<TuningMeterWidget*>(QStringLiteral("tuningMeter"))
                              ->scaleRect()
                              .width(),
                          240.0);
            }
        }
    }
}

std::string caseName(const ::testing::TestParamInfo<LayoutCase>& info) {
    return std::string(view::storyboardName(info.param.screenClass));
}

INSTANTIATE_TEST_SUITE_P(Desktop, EveryLayout, ::testing::ValuesIn(everyLayout()), caseName);

// Every listed screen reaching a layout is proven above; here every layout has a listed screen.
TEST(LayoutLoading, EveryLayoutHasAScreenAndAnUnknownOrPathLikeNameLoadsNothing) {
    EXPECT_EQ(everyLayout().size(), static_cast<std::size_t>(view::ScreenClass::unlisted));
    testing::qtTestApp();
    std::string error;
    EXPECT_EQ(loadStoryboardResource("Main_Watch", &error), nullptr);
    EXPECT_NE(error.find("Main_Watch"), std::string::npos);
    EXPECT_EQ(loadStoryboardResource("../images/green64.png", &error), nullptr);
}

// Made as short as 600 pixels, a window scales its page by one factor across and down, every
// view keeps its place in the design, and no text is cut.
TEST(ScaledWindow, ShrunkTo600PixelsKeepsTheDesignsProportionsAndEveryText) {
    testing::qtTestApp();
    StderrLog log;
    for (const ScreenProfile& profile :
         {screenProfile(0, 956), screenProfile(0, 667), screenProfile(1, 1376)}) {
        SCOPED_TRACE(profile.text());
        QtWindows windows(profile, "Strumwise", log);
        windows.installWindow(*windows.loadStoryboard(std::string(
            view::storyboardName(view::screenClassFor(*profile.idiom, profile.height)))));
        auto* window = dynamic_cast<ScaledPage*>(windows.keyWindow());
        ASSERT_NE(window, nullptr);
        EXPECT_LE(window->minimumHeight(), 600);
        const QSize design = window->designSize();
        window->resize(design);
        QCoreApplication::processEvents();
        const std::map<QWidget*, QRect> designed = placesOf(*window->page());

        window->resize(design.width(), 600);
        QCoreApplication::processEvents();
        const double factor = 600.0 / design.height();
        // Type sizes are whole pixels, so views sized by their text drift a little; a view that
        // does not scale at all misses by tens of pixels.
        const double kDrift = 0.015 * 600;
        EXPECT_EQ(window->page()->size(), scaledSize(design, factor));
        const std::map<QWidget*, QRect> scaled = placesOf(*window->page());
        for (const auto& [view, was] : designed) {
            const QRect now = scaled.at(view);
            for (const auto& [a, b] : {std::pair{now.left(), was.left()},
                                       {now.top(), was.top()},
                                       {now.right(), was.right()},
                                       {now.bottom(), was.bottom()}}) {
                EXPECT_NEAR(a, b * factor, kDrift) << view->objectName().toStdString();
            }
        }
        EXPECT_EQ(layoutFaults(*window->page()), std::vector<std::string>{});
    }
}

using Kind = ReadingTrend::Kind;

// CIE lightness L* of a colour, 0 (black) to 100 (white).
double lightness(const QColor& colour) {
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double y = 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
                     0.0722 * linear(colour.blueF());
    return y > 0.008856 ? 116.0 * std::cbrt(y) - 16.0 : 903.3 * y;
}

TEST(ReadingHistoryColours, FiveStringsFiveLightnessesNoneTheBandsGreenAllSeenOnTheStage) {
    const QColor bandGreen(0x3d, 0xdc, 0x84);
    const QColor stage(0x2b, 0x25, 0x20);
    for (int a = 1; a <= 5; ++a) {
        const QColor colour = ReadingHistoryWidget::stringColour(a);
        // Bright enough to stand out on the dark stage.
        EXPECT_GT(lightness(colour) - lightness(stage), 25.0) << a;
        // Not the in-tune band's green: a hue at least 40 degrees away from it.
        const int hueGap = std::abs(colour.hslHue() - bandGreen.hslHue());
        EXPECT_GE(std::min(hueGap, 360 - hueGap), 40) << a;
        for (int b = a + 1; b <= 5; ++b) {
            // Told apart by lightness alone, as a player who sees no hue would.
            EXPECT_GE(
                std::abs(lightness(colour) - lightness(ReadingHistoryWidget::stringColour(b))), 7.0)
                << a << " and " << b;
        }
    }
}

TEST(ReadingHistoryDrawing, EachStringsReadingsInItsColourWithGapsLeftEmpty) {
    testing::qtTestApp();
    ReadingHistoryWidget widget;
    widget.resize(360, 100);
    // String 3 at +20 cents for two seconds, silence, then string 1 at -30 cents.
    std::vector<ReadingSample> samples;
    for (int tick = 0; tick <= 60; ++tick) {
        const int string = tick < 20 ? 3 : tick < 40 ? 0 : 1;
        samples.push_back({tick * 0.1, string, string == 3 ? 20.0 : -30.0 * string, -5.0, 5.0});
    }
    widget.setSamples(samples, 6.0);
    const QImage image = widget.grab().toImage();
    const auto colourAt = [&](double seconds, double cents) {
        const QPointF point = widget.pointOf({seconds, 1, cents, 0.0, 0.0});
        return image.pixelColor(static_cast<int>(std::lround(point.x())),
                                static_cast<int>(std::lround(point.y())));
    };
    const auto near = [](const QColor& a, const QColor& b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                   std::abs(a.blue() - b.blue()) <
               40;
    };
    EXPECT_TRUE(near(colourAt(1.0, 20.0), ReadingHistoryWidget::stringColour(3)));
    EXPECT_TRUE(near(colourAt(5.0, -30.0), ReadingHistoryWidget::stringColour(1)));
    // Nothing read at 3 s: no line at either height.
    EXPECT_FALSE(near(colourAt(3.0, 20.0), ReadingHistoryWidget::stringColour(3)));
    EXPECT_FALSE(near(colourAt(3.0, -30.0), ReadingHistoryWidget::stringColour(1)));
    // Six seconds across: the oldest sample at the left edge, the newest at the right.
    EXPECT_NEAR(widget.pointOf(samples.front()).x(), widget.plotRect().left(), 1.0);
    EXPECT_NEAR(widget.pointOf(samples.back()).x(), widget.plotRect().right(), 1.0);
    // Sharp is up, and 50 cents reaches the plot's top edge.
    EXPECT_NEAR(widget.pointOf({0.0, 1, 50.0, 0.0, 0.0}).y(), widget.plotRect().top(), 1.0);
    EXPECT_NEAR(widget.pointOf({0.0, 1, 90.0, 0.0, 0.0}).y(), widget.plotRect().top(), 1.0);
    EXPECT_NEAR(widget.pointOf({0.0, 1, -50.0, 0.0, 0.0}).y(), widget.plotRect().bottom(), 1.0);
}

TEST(ReadingHistoryWords, TheTrendInEnglishAndSpanish) {
    testing::qtTestApp();
    // Each trend of a G3, without the note: "G3, " opens every one.
    struct Case {
        ReadingTrend trend;
        const char* english;
        const char* spanish;
    };
    const Case cases[] = {
        {{Kind::Settling, "G3", 2}, "settling 2 cents sharp", "asentándose 2 cents alta"},
        {{Kind::Settling, "G3", -9}, "settling 9 cents flat", "asentándose 9 cents baja"},
        {{Kind::InTune, "G3", 1}, "in tune", "afinada"},
        {{Kind::Drifting, "G3", -6}, "drifting flat, 6 cents", "se aleja hacia abajo, 6 cents"},
        {{Kind::Drifting, "G3", 7}, "drifting sharp, 7 cents", "se aleja hacia arriba, 7 cents"},
        {{Kind::Steady, "G3", 12}, "steady 12 cents sharp", "estable 12 cents alta"},
        {{Kind::Steady, "G3", -8}, "steady 8 cents flat", "estable 8 cents baja"},
    };
    for (const bool spanish : {false, true}) {
        const QtBundle bundle(spanish ? QLocale(QLocale::Spanish) : QLocale(QLocale::English),
                              true);
        for (const Case& c : cases) {
            EXPECT_EQ(spokenTrend(c.trend).toStdString(),
                      std::string("G3, ") + (spanish ? c.spanish : c.english));
        }
        EXPECT_EQ(spokenTrend({}), spanish ? "Sin lectura" : "No reading");
        // The widget's accessible name carries it.
        ReadingHistoryWidget widget;
        QtReadingHistory(&widget).describe(cases[2].trend);
        EXPECT_EQ(widget.accessibleName(), spanish ? "G3, afinada" : "G3, in tune");
    }
}

}  // namespace
}  // namespace strumwise::platform::desktop
