// Every main-screen layout: it loads, connects every outlet with the right kind of view, sends
// every action, gives the screen class's own indicator room, and looks right (a screenshot per
// layout lands in <build>/screenshots).

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTabBar>
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "platform/desktop/qt_bundle.h"
#include "platform/desktop/qt_images.h"
#include "platform/desktop/qt_storyboard.h"
#include "platform/desktop/qt_windows.h"
#include "platform/desktop/screen_profile.h"
#include "platform/desktop/stderr_log.h"
#include "platform/headless/outlet_names.h"
#include "qt_test_app.h"
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

std::string indicatorOf(view::ScreenClass screenClass) {
    if (screenClass == view::ScreenClass::iPhone4s) {
        return "tunedString";
    }
    return screenClass >= view::ScreenClass::iPad ? "tunedStringiPad" : "tunedString5";
}

class EveryLayout : public ::testing::TestWithParam<LayoutCase> {
  protected:
    void SetUp() override { testing::qtTestApp(); }
    StderrLog log_;
};

TEST_P(EveryLayout, ConnectsEveryOutletWithItsKindOfViewAndSendsEveryActionOnce) {
    const auto name = std::string(view::storyboardName(GetParam().screenClass));
    std::string error;
    auto storyboard = loadStoryboardResource(name, &error);
    ASSERT_NE(storyboard, nullptr) << error;
    for (const auto& outlet : kMainScreenOutlets) {
        const bool isLabel = storyboard->label(outlet.name) != nullptr;
        const bool isImage = storyboard->imageView(outlet.name) != nullptr;
        const bool isButton = storyboard->button(outlet.name) != nullptr;
        EXPECT_EQ(isLabel, outlet.kind == OutletKind::Label) << name << " " << outlet.name;
        EXPECT_EQ(isImage, outlet.kind == OutletKind::ImageView) << name << " " << outlet.name;
        EXPECT_EQ(isButton, outlet.kind == OutletKind::Button) << name << " " << outlet.name;
    }
    std::vector<std::string> sent;
    storyboard->setActionHandler([&](std::string_view action) { sent.emplace_back(action); });
    for (QPushButton* button : storyboard->rootWidget()->findChildren<QPushButton*>()) {
        button->click();
    }
    auto expected = everyActionName();
    std::sort(expected.begin(), expected.end());
    std::sort(sent.begin(), sent.end());
    EXPECT_EQ(sent, expected) << name;
}

// The class's own indicator has room to show its picture while the other two take none, so
// showing them on a match changes nothing on screen; the layout fits every screen of its class in
// every language, its page tabs without scroll arrows.
TEST_P(EveryLayout, ShowsOnlyItsOwnIndicatorAndFitsItsScreensInEveryLanguage) {
    const LayoutCase& layoutCase = GetParam();
    const auto name = std::string(view::storyboardName(layoutCase.screenClass));
    QtWindows windows(layoutCase.profile, "Strumwise", log_);
    QtImages images;
    Storyboard* storyboard = windows.loadStoryboard(name);
    ASSERT_NE(storyboard, nullptr);
    windows.installWindow(*storyboard);
    ASSERT_TRUE(windows.hasWindow());
    EXPECT_EQ(windows.keyWindow()->size(),
              QSize(layoutCase.profile.width, static_cast<int>(layoutCase.profile.height)));
    // A tuned first string, as the tick draws it.
    storyboard->imageView("LEDDisplay")->setImage(images.imageNamed("green64.png"));
    storyboard->imageView("LEDDisplay128")->setImage(images.imageNamed("green128.png"));
    const std::string indicator = indicatorOf(layoutCase.screenClass);
    for (const char* view : {"tunedString", "tunedString5", "tunedStringiPad"}) {
        storyboard->imageView(view)->setHidden(false);
    }
    storyboard->imageView(indicator)->setImage(images.imageNamed("1st_string_6.png"));
    QCoreApplication::processEvents();
    for (const char* view : {"tunedString", "tunedString5", "tunedStringiPad"}) {
        auto* widget =
            windows.keyStoryboard()->rootWidget()->findChild<QWidget*>(QString::fromLatin1(view));
        ASSERT_NE(widget, nullptr);
        if (view == indicator) {
            EXPECT_GT(widget->width(), 60) << name << " " << view;
            EXPECT_GT(widget->height(), 80) << name << " " << view;
        } else {
            EXPECT_TRUE(widget->size().isEmpty()) << name << " " << view;
        }
    }
    EXPECT_TRUE(windows.keyWindow()->grab().save(testing::screenshotDir() + QStringLiteral("/") +
                                                 QString::fromStdString(name) +
                                                 QStringLiteral(".png")));

    const int narrowest =
        std::min_element(layoutCase.screens.begin(), layoutCase.screens.end(),
                         [](const auto& a, const auto& b) { return a.width < b.width; })
            ->width;
    for (const QLocale& locale : {QLocale(QLocale::English), QLocale(QLocale::Spanish)}) {
        const QtBundle bundle(locale, true);  // the layouts' texts are translated on loading
        auto translated = loadStoryboardResource(name, nullptr);
        ASSERT_NE(translated, nullptr);
        const QSize needed = translated->rootWidget()->minimumSizeHint();
        EXPECT_LE(needed.width(), narrowest) << name << " " << bundle.language();
        for (const ScreenProfile& screen : layoutCase.screens) {
            EXPECT_LE(needed.height(), screen.height) << name << " " << bundle.language();
        }
        if (auto* bar = translated->rootWidget()->findChild<QTabBar*>()) {
            EXPECT_LE(bar->sizeHint().width(), narrowest) << name;
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

}  // namespace
}  // namespace strumwise::platform::desktop
