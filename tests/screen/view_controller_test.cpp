#include "screen/view_controller.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>

#include "platform/headless/outlet_names.h"
#include "screen/action_names.h"
#include "screen/controller_rig.h"

namespace strumwise::screen {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class ViewControllerTest : public ::testing::Test, protected ControllerRig {};

TEST(OutletBinding, EveryOutletIsTheLayoutsViewOfThatName) {
    platform::headless::HeadlessStoryboard layout("Main_iPhone6");
    const Outlets outlets = bindOutlets(layout);

    // Outlets is 26 pointers: every one must be bound, each to a different view, and together
    // to exactly the views the layout has under the outlet names.
    constexpr std::size_t kCount = platform::headless::kMainScreenOutlets.size();
    static_assert(sizeof(Outlets) == kCount * sizeof(void*));
    std::array<const void*, kCount> bound{};
    std::memcpy(bound.data(), &outlets, sizeof outlets);
    std::set<const void*> expected;
    for (const auto& outlet : platform::headless::kMainScreenOutlets) {
        using Kind = platform::headless::OutletKind;
        expected.insert(outlet.kind == Kind::Label
                            ? static_cast<const void*>(layout.label(outlet.name))
                        : outlet.kind == Kind::ImageView
                            ? static_cast<const void*>(layout.imageView(outlet.name))
                            : static_cast<const void*>(layout.button(outlet.name)));
    }
    EXPECT_EQ(std::set<const void*>(bound.begin(), bound.end()), expected);
    EXPECT_EQ(expected.size(), kCount);
    EXPECT_EQ(expected.count(nullptr), 0u);
}

TEST_F(ViewControllerTest, UnknownActionNamesAreRefused) {
    for (const std::string_view name : {"", "tickFree:", "playD293_6Hz", "showNextTuning"}) {
        EXPECT_FALSE(controller.sendAction(name)) << name;
    }
    EXPECT_THAT(screen.journal.take(), IsEmpty());
}

TEST_F(ViewControllerTest, ForkActionsPlayTheCurrentTuning) {
    tunerState.tuningIndex = 3;
    controller.setupAudio();
    EXPECT_TRUE(controller.sendAction("playD146_8Hz:"));
    EXPECT_EQ(screen.text("tfnoteDisplay"), "C3");
    EXPECT_EQ(screen.text("tfFreqLabel"), "130.8Hz");
    EXPECT_FLOAT_EQ(toneGenerator.toneFrequency(), 130.8f);
    EXPECT_EQ(controller.curPlayState(), 0);
    EXPECT_TRUE(controller.sendAction("stopFreqPlay:"));
    EXPECT_EQ(controller.curPlayState(), 1);
}

TEST_F(ViewControllerTest, ArrowsRedrawAndRetitleTheForkButtons) {
    controller.viewDidLoad();
    EXPECT_TRUE(controller.sendAction(kNextTuningAction));
    EXPECT_EQ(tunerState.tuningIndex, 2u);
    EXPECT_EQ(screen.text("firstString"), "E4");
    std::vector<std::string> titles;
    for (const auto* button : {"firstFreqButton", "secondFreqButton", "thirdFreqButton",
                               "fourthFreqButton", "fifthFreqButton"}) {
        titles.push_back(screen.title(button));
    }
    EXPECT_THAT(titles, ElementsAre("E4", "D4", "A3", "D3", "A4"));

    EXPECT_TRUE(controller.sendAction(kPreviousTuningAction));
    EXPECT_EQ(screen.title("firstFreqButton"), "D4");
    EXPECT_EQ(screen.title("fifthFreqButton"), "G4");
}

TEST_F(ViewControllerTest, LinkActionsGoToTheLinkHandler) {
    std::vector<std::string> allLinks{std::string(kMakerSiteAction), std::string(kReviewAction)};
    allLinks.insert(allLinks.end(), kSiblingAppActions.begin(), kSiblingAppActions.end());

    // Known even before anything handles them.
    for (const auto& name : allLinks) {
        EXPECT_TRUE(controller.sendAction(name)) << name;
    }
    std::vector<std::string> forwarded;
    controller.setLinkActionHandler([&](std::string_view name) { forwarded.emplace_back(name); });
    for (const auto& name : allLinks) {
        controller.sendAction(name);
    }
    EXPECT_THAT(forwarded, ElementsAreArray(allLinks));
}

TEST_F(ViewControllerTest, HeldStringArmsOneLatchResetEveryFiveSeconds) {
    controller.viewDidLoad();
    screen.microphone.set(0.01f, 293.5f);
    screen.advance(0.1);
    EXPECT_EQ(screen.text("freq_label"), "293.6Hz");
    EXPECT_TRUE(tunerState.tunedFlags[0]);
    EXPECT_TRUE(tunerState.confirmationLatches[0]);

    // Ticks keep matching. The reset scheduled at 0.1 s runs at 5.1 s, just before that
    // instant's tick, which arms the next one for 10.1 s.
    screen.advance(4.999999);
    EXPECT_TRUE(tunerState.confirmationLatches[0]);
    EXPECT_EQ(screen.runLoop.pendingCount(), 2u);  // the timer and one reset
    screen.advance(0.050001);
    EXPECT_TRUE(tunerState.confirmationLatches[0]);
    EXPECT_EQ(screen.runLoop.pendingCount(), 2u);

    screen.microphone.set(0.0f, 0.0f);
    screen.advance(4.949999);
    EXPECT_TRUE(tunerState.confirmationLatches[0]);
    screen.advance(0.000001);
    EXPECT_FALSE(tunerState.confirmationLatches[0]);
    EXPECT_TRUE(tunerState.tunedFlags[0]);
    EXPECT_EQ(screen.runLoop.pendingCount(), 1u);
}

TEST_F(ViewControllerTest, ReviewRequestFollowsOnlyLoudUnmatchedTicks) {
    int requests = 0;
    controller.setUnmatchedLoudTickHandler([&] { ++requests; });
    controller.viewDidLoad();
    for (const auto& [power, hertz] : std::vector<std::pair<float, float>>{
             {0.01f, 293.5f}, {0.001f, 300.0f}, {0.003f, 300.0f}}) {
        screen.microphone.set(power, hertz);
        screen.advance(0.1);
    }
    EXPECT_EQ(requests, 0);
    screen.microphone.set(0.01f, 300.0f);
    screen.advance(0.2);
    EXPECT_EQ(requests, 2);
}

TEST_F(ViewControllerTest, HooksAndResetsReachTheTunerState) {
    controller.play1stSoundOnce();
    controller.play2ndSoundOnce();
    controller.play3rdSoundOnce();
    controller.play4thSoundOnce();
    EXPECT_FALSE(tunerState.allStringsTuned());
    controller.play5thSoundOnce();
    EXPECT_TRUE(tunerState.allStringsTuned());

    controller.resetTuningBools();
    EXPECT_EQ(tunerState.confirmationLatches, (std::array<bool, 5>{}));
    EXPECT_TRUE(tunerState.allStringsTuned());
    controller.resetFirstTuning();
    EXPECT_EQ(tunerState.tunedFlags, (std::array<bool, 5>{}));
}

}  // namespace
}  // namespace strumwise::screen
