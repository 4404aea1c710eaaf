// The desktop run loop keeps the order the tuner relies on: due time first, then the order of
// scheduling, with timers that stop when their handle goes and work posted from any thread.

#include <gtest/gtest.h>

#include <QThread>
#include <atomic>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "adapters/desktop/system/qt_dispatch.h"
#include "adapters/desktop/system/qt_run_loop.h"
#include "qt_test_app.h"

namespace strumwise::platform::desktop {
namespace {

using testing::processEventsUntil;

TEST(QtRunLoop, PerformsRunByDueTimeThenInTheOrderTheyWereScheduled) {
    testing::qtTestApp();
    QtRunLoop loop;
    std::vector<std::string> ran;
    loop.performAfterDelay("late", 0.060, [&] { ran.push_back("late"); });
    loop.performAfterDelay("first", 0.020, [&] { ran.push_back("first"); });
    loop.performAfterDelay("second", 0.020, [&] { ran.push_back("second"); });
    loop.performAfterDelay("now", 0.0, [&] {
        // Scheduled by a handler, it runs after it, not inside it.
        loop.performAfterDelay("inner", 0.0, [&] { ran.push_back("inner"); });
        ran.push_back("now");
    });
    ASSERT_TRUE(processEventsUntil([&] { return ran.size() == 5; }, 2000));
    EXPECT_EQ(ran, (std::vector<std::string>{"now", "inner", "first", "second", "late"}));
    EXPECT_EQ(loop.pendingCount(), 0u);
}

TEST(QtRunLoop, ARepeatingTimerFiresUntilItsHandleIsDroppedEvenFromItsOwnHandler) {
    testing::qtTestApp();
    QtRunLoop loop;
    int fired = 0;
    auto timer = loop.scheduleRepeatingTimer(0.010, [&] { ++fired; });
    ASSERT_TRUE(processEventsUntil([&] { return fired >= 3; }, 2000));
    timer.reset();
    const int atStop = fired;
    int selfStopped = 0;
    timer = loop.scheduleRepeatingTimer(0.005, [&] {
        ++selfStopped;
        timer.reset();
    });
    processEventsUntil([] { return false; }, 80);
    EXPECT_EQ(fired, atStop);
    EXPECT_EQ(selfStopped, 1);
    EXPECT_EQ(loop.pendingCount(), 0u);
    // A handle may outlive its loop: dropping it must not touch the destroyed loop.
    {
        QtRunLoop shortLived;
        timer = shortLived.scheduleRepeatingTimer(1.0, [] {});
    }
    timer.reset();
}

TEST(QtRunLoop, WorkPostedFromAnotherThreadRunsOnTheMainThreadInOrder) {
    testing::qtTestApp();
    QtRunLoop loop;
    std::vector<int> ran;
    std::atomic<bool> allOnMain{true};
    QThread* const main = QThread::currentThread();
    std::thread poster([&] {
        for (int i = 0; i < 20; ++i) {
            loop.postToMain([&, i] {
                allOnMain = allOnMain && QThread::currentThread() == main;
                ran.push_back(i);
            });
        }
    });
    poster.join();
    ASSERT_TRUE(processEventsUntil([&] { return ran.size() == 20; }, 2000));
    EXPECT_TRUE(allOnMain);
    std::vector<int> expected(20);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(ran, expected);
}

TEST(QtDispatch, ASerialQueueRunsOneTaskAtATimeInPostingOrder) {
    testing::qtTestApp();
    QtDispatch dispatch;
    auto queue = dispatch.makeSerialQueue();
    std::vector<int> ran;  // unguarded on purpose: only one task may touch it at a time
    std::atomic<int> running{0};
    std::atomic<bool> overlapped{false};
    for (int i = 0; i < 200; ++i) {
        queue->async([&, i] {
            overlapped = overlapped || running.fetch_add(1) != 0;
            ran.push_back(i);
            running.fetch_sub(1);
        });
    }
    dispatch.waitForDone();
    EXPECT_FALSE(overlapped);
    std::vector<int> expected(200);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(ran, expected);
}

}  // namespace
}  // namespace strumwise::platform::desktop
