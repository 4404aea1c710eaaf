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

class StartupTest : public ::testing::Test, protected ControllerRig {};

// (What a default start writes, in order, and its tenth-of-a-second ticks are pinned byte for
// byte by the headless default trace.)
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
