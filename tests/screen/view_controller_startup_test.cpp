#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <tuple>

#include "adapters/headless/headless_log.h"
#include "adapters/headless/memory_user_defaults.h"
#include "screen/controller_rig.h"
#include "screen/run_count.h"

namespace strumwise::screen {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

class StartupTest : public ::testing::Test, protected ControllerRig {};

TEST_F(StartupTest, ViewDidLoadRunsItsStepsInOrderThenTicksEveryTenthOfASecond) {
    controller.viewDidLoad();
    const auto text = [&](const char* outlet, const char* key) {
        return std::string(outlet) + " text \"" + screen.localized(key) + "\"";
    };
    const auto title = text("currentTuningName", "TuningFreeTitle");
    // A 667-point phone draws the phone chart and then, having room, the tablet chart.
    EXPECT_THAT(
        screen.take(),
        ElementsAre(
            "idleTimerDisabled 1", "session setCategory AVAudioSessionCategoryPlayAndRecord 8",
            "session setMode AVAudioSessionModeMeasurement", "session setActive 1",
            "microphone listen", text("aboutCongratsMessage", "TunerAboutCongratsMessage"),
            text("aboutMsg2", "TunerAboutMsg2"), "firstString text \"D4\"",
            "secondString text \"B3\"", "thirdString text \"G3\"", "fourthString text \"D3\"",
            "fifthString text \"G4\"", "chartDisplay image \"chartiphone.png\"", title,
            "showPreviousTuningButton hidden 1", "showNextTuningButton hidden 0",
            "chartDisplay image \"chartipad.png\"", title, "showPreviousTuningButton hidden 1",
            "showNextTuningButton hidden 0", "firstFreqButton title \"D4\"",
            "secondFreqButton title \"B3\"", "thirdFreqButton title \"G3\"",
            "fourthFreqButton title \"D3\"", "fifthFreqButton title \"G4\"",
            "log \"Demo mode OFF, Sound detection started...\""));

    screen.advance(0.099999);
    EXPECT_THAT(screen.take(), IsEmpty());
    screen.advance(0.000001);
    EXPECT_EQ(screen.take().front(), "microphone averagePower");
    screen.advance(1.0);
    EXPECT_EQ(screen.take().size(), 10u * 9u);  // ten silent ticks of 2 reads and 7 writes
}

TEST_F(StartupTest, MissingAudioSessionIsLoggedAndStartupGoesOn) {
    screen.services.audioSession = nullptr;
    controller.viewDidLoad();
    const auto lines = screen.take();
    EXPECT_THAT(std::vector(lines.begin(), lines.begin() + 3),
                ElementsAre("idleTimerDisabled 1", "log \"Error creating session: (null)\"",
                            "microphone listen"));
    screen.advance(0.1);
    EXPECT_EQ(screen.image("LEDDisplay"), "yellow64.png");
}

TEST_F(StartupTest, TuningForkButtonNeedsSystemSix) {
    const std::pair<const char*, bool> versions[] = {{"5.1.1", true}, {"6.0", false},
                                                     {"17.2", false}, {" 6.1 beta", false},
                                                     {"", true},      {"iOS 17", true}};
    for (const auto& [version, hidden] : versions) {
        ControllerRig rig;
        rig.screen.device.setSystemVersion(version);
        rig.controller.viewDidLoad();
        EXPECT_EQ(rig.screen.take().back() == "tuningForkButton hidden 1", hidden) << version;
    }
}

TEST_F(StartupTest, AppearancesSetUpTheToneAndCountRuns) {
    screen.defaults.setInteger(4, "kRatingPromptUseCount");
    controller.setCurTone(3);
    controller.viewWillAppear(false);
    EXPECT_EQ(controller.curTone(), 1u);
    EXPECT_EQ(controller.curPlayState(), 1);
    EXPECT_THAT(screen.take(),
                ElementsAre(StartsWith("log \"Me abriste por primera vez, voy a borrar"),
                            "defaults reset", "defaults set numberOfRuns 1", "defaults sync",
                            "defaults set Plinmoor 1", "defaults sync"));
    EXPECT_EQ(screen.defaults.integerForKey("kRatingPromptUseCount"), 0);

    controller.sendAction("playG392Hz:");
    controller.setCurTone(2);
    EXPECT_THAT(screen.take(), Contains("tone start"));

    // A second appearance in the same process keeps the one tone unit, silenced.
    controller.viewWillAppear(true);
    EXPECT_EQ(controller.curTone(), 1u);
    EXPECT_EQ(controller.curPlayState(), 1);
    EXPECT_THAT(screen.take(), ElementsAre("tone stop", "log \"Ya se abrió antes\"",
                                           "defaults set numberOfRuns 2", "defaults sync"));
    controller.sendAction("stopFreqPlay:");
    EXPECT_THAT(screen.take(), IsEmpty());
}

// After the first run the stored count grows by one; the largest count stays put rather than
// wrapping, and a value that is not a number counts as absent, with one log line.
TEST(RunCount, ALaterRunAddsOneSaturatesAndRestartsFromWhatIsNotANumber) {
    using Value = platform::headless::DefaultsValue;
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    const std::vector<std::tuple<std::optional<Value>, std::int64_t, bool>> cases{
        {std::nullopt, 1, false},
        {Value{std::int64_t{4}}, 5, false},
        {Value{std::int64_t{-3}}, -2, false},
        {Value{kMax}, kMax, false},
        {Value{2.5}, 3, false},
        {Value{std::string(" 7 ")}, 8, false},
        {Value{std::numeric_limits<double>::infinity()}, 1, true},
        {Value{std::numeric_limits<double>::quiet_NaN()}, 1, true},
        {Value{std::string("lots")}, 1, true},
    };
    for (const auto& [stored, expected, logged] : cases) {
        platform::headless::DefaultsMap values{{"Plinmoor", true}};
        if (stored) {
            values.emplace("numberOfRuns", *stored);
        }
        platform::headless::MemoryUserDefaults defaults("app", values);
        platform::headless::HeadlessLog log;
        countRun(defaults, log, "app");
        EXPECT_EQ(defaults.integerForKey("numberOfRuns"), expected) << expected;
        EXPECT_EQ(log.lines().size(), logged ? 2u : 1u) << expected;
    }
}

}  // namespace
}  // namespace strumwise::screen
