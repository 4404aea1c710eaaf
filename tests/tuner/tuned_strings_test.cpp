#include "tuner/tuned_strings.h"

#include <gtest/gtest.h>

#include "platform/headless/virtual_run_loop.h"

namespace strumwise::tuner {
namespace {

using platform::headless::secondsToMicros;

class TunedStringsTest : public ::testing::Test {
  protected:
    void advance(double seconds) { runLoop.advanceBy(secondsToMicros(seconds)); }
    bool anyLatch() const {
        for (const bool latch : state.confirmationLatches) {
            if (latch) {
                return true;
            }
        }
        return false;
    }

    platform::headless::VirtualRunLoop runLoop;
    TunerState state;
    TunedStrings strings{state, runLoop};
};

TEST_F(TunedStringsTest, HeldStringSchedulesOneResetUntilItHasRun) {
    strings.confirm(2);
    advance(1.0);
    strings.confirm(2);
    advance(3.9);
    strings.confirm(2);
    EXPECT_EQ(runLoop.pendingCount(), 1u);
    EXPECT_EQ(runLoop.nextDueTime(), secondsToMicros(5.0));

    // The reset runs exactly 5 s after it was scheduled, not a microsecond before.
    advance(0.099999);
    EXPECT_TRUE(state.confirmationLatches[1]);
    advance(0.000001);
    EXPECT_FALSE(state.confirmationLatches[1]);
    EXPECT_EQ(runLoop.pendingCount(), 0u);

    strings.confirm(2);
    EXPECT_EQ(runLoop.pendingCount(), 1u);
    EXPECT_EQ(runLoop.nextDueTime(), secondsToMicros(10.0));
}

TEST_F(TunedStringsTest, FirstResetClearsEveryLatchButNoTunedFlag) {
    strings.confirm(1);
    advance(2.0);
    strings.confirm(4);
    EXPECT_EQ(runLoop.pendingCount(), 2u);

    advance(3.0);
    EXPECT_FALSE(anyLatch());
    EXPECT_TRUE(state.tunedFlags[0]);
    EXPECT_TRUE(state.tunedFlags[3]);

    // With its latch cleared early, string 4 arms again while its own first reset is pending.
    strings.confirm(4);
    EXPECT_EQ(runLoop.pendingCount(), 2u);
}

TEST_F(TunedStringsTest, TunedFlagsStayForTheRunAcrossTuningsAndResets) {
    for (const int string : {5, 3, 1, 4, 2}) {
        EXPECT_FALSE(state.allStringsTuned());
        strings.confirm(string);
        advance(6.0);
    }
    EXPECT_TRUE(state.allStringsTuned());
    strings.resetTuningBools();
    EXPECT_TRUE(state.allStringsTuned());

    strings.resetFirstTuning();
    for (const bool tuned : state.tunedFlags) {
        EXPECT_FALSE(tuned);
    }
}

TEST_F(TunedStringsTest, NumbersOutsideTheStringsAreIgnored) {
    for (const int string : {0, 6, -1}) {
        strings.confirm(string);
    }
    EXPECT_EQ(runLoop.pendingCount(), 0u);
    EXPECT_FALSE(anyLatch());
}

}  // namespace
}  // namespace strumwise::tuner
