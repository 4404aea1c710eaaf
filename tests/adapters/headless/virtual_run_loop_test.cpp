#include "adapters/headless/virtual_run_loop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace strumwise::platform::headless {
namespace {

class VirtualRunLoopTest : public ::testing::Test {
  protected:
    // A handler that notes its name and the time it ran at.
    std::function<void()> note(std::string name) {
        return [this, name] { ran.push_back(name + "@" + std::to_string(loop.now())); };
    }

    VirtualRunLoop loop;
    std::vector<std::string> ran;
};

TEST_F(VirtualRunLoopTest, RunsByDueTimeThenBySchedulingOrderUpToTheLimit) {
    loop.scheduleAt(300, note("c"));
    loop.scheduleAt(100, note("a"));
    const auto cancelled = loop.scheduleAt(100, note("cancelled"));
    loop.scheduleAt(300, note("d"));
    loop.scheduleAt(100, note("b"));
    loop.scheduleAt(1001, note("e"));
    loop.cancel(cancelled);
    loop.cancel(cancelled);  // twice is harmless
    loop.runUntil(1000);
    EXPECT_EQ(ran, (std::vector<std::string>{"a@100", "b@100", "c@300", "d@300"}));
    EXPECT_EQ(loop.now(), 1000);
    EXPECT_EQ(loop.nextDueTime(), 1001);
    loop.runUntil(50);  // never backwards
    EXPECT_EQ(loop.now(), 1000);
}

TEST_F(VirtualRunLoopTest, WorkScheduledInsideAHandlerJoinsTheOrder) {
    loop.scheduleAt(100, [this] {
        ran.push_back("outer");
        loop.postToMain(note("posted"));  // same time, after what is already due
        loop.performAfterDelay("later", 0.0002, note("delayed"));
    });
    loop.scheduleAt(100, note("sibling"));
    loop.scheduleAt(300, note("last"));
    loop.runUntil(1000);
    // "last" was scheduled before "delayed", so it runs first at the same time.
    EXPECT_EQ(ran, (std::vector<std::string>{"outer", "sibling@100", "posted@100", "last@300",
                                             "delayed@300"}));
}

TEST_F(VirtualRunLoopTest, TimerFiresEveryIntervalBeforeWorkItSchedulesUntilItsHandleIsGone) {
    std::unique_ptr<RunLoop::Timer> timer = loop.scheduleRepeatingTimer(0.1, [this] {
        ran.push_back("tick@" + std::to_string(loop.now()));
        loop.performAfterDelay("echo", 0.1, note("echo"));
    });
    loop.runUntil(350'000);
    EXPECT_EQ(ran, (std::vector<std::string>{"tick@100000", "tick@200000", "echo@200000",
                                             "tick@300000", "echo@300000"}));
    timer.reset();
    loop.runUntil(1'000'000);
    EXPECT_EQ(ran.size(), 6u);  // the last echo still runs
    EXPECT_EQ(loop.pendingCount(), 0u);
}

}  // namespace
}  // namespace strumwise::platform::headless
