#include "tuner/tuned_strings.h"

#include <gtest/gtest.h>

#include "adapters/headless/virtual_run_loop.h"

namespace strumwise::tuner {
namespace {

using platform::headless::secondsToMicros;

TEST(TunedStrings, EachLatchArmsOneResetAndTheFirstResetClearsThemAll) {
    platform::headless::VirtualRunLoop runLoop;
    TunerState state;
    TunedStrings strings{state, runLoop};
    const auto advance = [&](double seconds) { runLoop.advanceBy(secondsToMicros(seconds)); };

    strings.confirm(1);
    advance(2.0);
    strings.confirm(4);
    strings.confirm(4);
    strings.confirm(1);
    EXPECT_EQ(runLoop.pendingCount(), 2u);

    advance(2.999999);
    EXPECT_TRUE(state.confirmationLatches[0]);
    advance(0.000001);  // the reset armed at 0 s clears string 4's latch too
    EXPECT_EQ(state.confirmationLatches, (std::array<bool, kStringCount>{}));
    strings.confirm(4);
    EXPECT_EQ(runLoop.pendingCount(), 2u);

    for (const int string : {2, 3, 5, 0, 6}) {
        strings.confirm(string);
    }
    advance(10.0);
    EXPECT_TRUE(state.allStringsTuned());  // resets leave the tuned flags alone
}

}  // namespace
}  // namespace strumwise::tuner
