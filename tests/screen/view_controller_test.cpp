#include "screen/view_controller.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>

#include "adapters/headless/outlet_names.h"
#include "screen/controller_rig.h"
#include "view/action_names.h"

namespace strumwise::screen {
namespace {

using namespace view;  // the outlets and the action names

using ::testing::ElementsAreArray;

class ViewControllerTest : public ::testing::Test, protected ControllerRig {};

// Outlets is 31 pointers: each must be bound to a different view, together exactly the views
// the layout has under the outlet names; the picture of the meter's last seconds, which the
// headless layout leaves out (it adds nothing to the trace), stays unbound.
TEST(OutletBinding, EveryOutletIsTheLayoutsViewOfThatName) {
    namespace headless = platform::headless;
    headless::HeadlessStoryboard layout("Main");
    const Outlets outlets = bindOutlets(layout);
    static_assert(sizeof(Outlets) == (headless::kMainScreenOutlets.size() + 1) * sizeof(void*));
    EXPECT_EQ(outlets.readingHistory, nullptr);
    std::array<const void*, headless::kMainScreenOutlets.size() + 1> bound{};
    std::memcpy(bound.data(), &outlets, sizeof outlets);
    std::set<const void*> expected;
    for (const auto& [name, kind] : headless::kMainScreenOutlets) {
        expected.insert(
            kind == headless::OutletKind::Label    ? static_cast<void*>(layout.label(name))
            : kind == headless::OutletKind::Button ? static_cast<void*>(layout.button(name))
            : kind == headless::OutletKind::TuningMeter
                ? static_cast<void*>(layout.tuningMeter(name))
            : kind == headless::OutletKind::LevelMeter ? static_cast<void*>(layout.levelMeter(name))
            : kind == headless::OutletKind::ScreenLook
                ? static_cast<void*>(layout.screenLook(name))
                : static_cast<void*>(layout.imageView(name)));
    }
    expected.insert(nullptr);
    EXPECT_EQ(std::set<const void*>(bound.begin(), bound.end()), expected);
    EXPECT_EQ(expected.size(), bound.size());
}

TEST_F(ViewControllerTest, ActionsByName) {
    for (const std::string_view name : {"", "tickFree:", "playD293_6Hz", "showNextTuning"}) {
        EXPECT_FALSE(controller.sendAction(name)) << name;
    }
    // A tuning change re-titles the fork buttons, so each says what it plays.
    EXPECT_TRUE(controller.sendAction(kNextTuningAction));
    EXPECT_EQ(screen.text("firstString"), "E4");
    EXPECT_EQ(screen.title("firstFreqButton"), "E4");
    EXPECT_EQ(screen.title("fifthFreqButton"), "A4");
    EXPECT_TRUE(controller.sendAction(kPreviousTuningAction));
    EXPECT_EQ(screen.title("fifthFreqButton"), "G4");
    EXPECT_TRUE(controller.sendAction(kForkActions[3]));
    EXPECT_EQ(screen.text("tfnoteDisplay"), "D3");

    std::vector<std::string> links{std::string(kMakerSiteAction), std::string(kReviewAction)};
    links.insert(links.end(), kSiblingAppActions.begin(), kSiblingAppActions.end());
    EXPECT_TRUE(controller.sendAction(kReviewAction));  // known before anything handles it
    std::vector<std::string> forwarded;
    controller.setLinkActionHandler([&](std::string_view name) { forwarded.emplace_back(name); });
    for (const auto& name : links) {
        EXPECT_TRUE(controller.sendAction(name));
    }
    EXPECT_THAT(forwarded, ElementsAreArray(links));
}

// After a match the tick keeps the green lamp, the note and the picture through loud ticks that
// match nothing; the look says when the meter no longer agrees, traced on its own line, and the
// tick's own writes stay as they were.
TEST_F(ViewControllerTest, AMatchGoesStaleWhileTheMeterReadsItOutOfTuneAndFreshWhenBack) {
    const auto tickAt = [&](float power, float hertz) {
        screen.microphone.set(power, hertz);
        controller.tickFree();
        std::vector<std::string> looks;
        for (const std::string& line : screen.take()) {
            if (line.rfind("screenLook ", 0) == 0) {
                looks.push_back(line);
            }
        }
        return looks;
    };
    const auto look = [&] { return screen.layout.screenLookState("screenLook")->look(); };
    using platform::ScreenLook;
    EXPECT_EQ(tickAt(0.0f, 0.0f), (std::vector<std::string>{"screenLook value \"silence\""}));
    // 20 cents sharp of G3 from silence: nothing lit, the meter is the news.
    EXPECT_EQ(tickAt(0.01f, 198.27f), (std::vector<std::string>{"screenLook value \"measuring\""}));
    EXPECT_EQ(tickAt(0.01f, 196.0f), (std::vector<std::string>{"screenLook value \"inTune\""}));
    EXPECT_EQ(tickAt(0.01f, 198.27f), (std::vector<std::string>{"screenLook value \"stale\""}));
    EXPECT_EQ(look(), ScreenLook::Stale);
    EXPECT_EQ(screen.text("noteDisplay"), "G3");
    EXPECT_EQ(screen.image("LEDDisplay"), "green64.png");
    EXPECT_EQ(screen.text("freq_label"), "198.3Hz");
    // 9 cents flat, and a dead-band tick: still stale, and nothing new traced.
    EXPECT_TRUE(tickAt(0.01f, 194.99f).empty());
    EXPECT_TRUE(tickAt(0.003f, 196.0f).empty());
    EXPECT_EQ(look(), ScreenLook::Stale);
    // Back in G3's window it is fresh again; a sound nearer another string, matching none, is
    // no news for the lit one; a match of that string lights it afresh.
    EXPECT_EQ(tickAt(0.01f, 196.3f), (std::vector<std::string>{"screenLook value \"inTune\""}));
    EXPECT_EQ(tickAt(0.01f, 250.0f), (std::vector<std::string>{"screenLook value \"stale\""}));
    EXPECT_EQ(screen.text("noteDisplay"), "G3");
    EXPECT_EQ(tickAt(0.01f, 247.0f), (std::vector<std::string>{"screenLook value \"inTune\""}));
    EXPECT_EQ(screen.text("noteDisplay"), "B3");
    EXPECT_EQ(tickAt(0.001f, 196.0f), (std::vector<std::string>{"screenLook value \"silence\""}));
}

}  // namespace
}  // namespace strumwise::screen
