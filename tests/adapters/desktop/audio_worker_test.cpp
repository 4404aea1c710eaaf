#include "adapters/desktop/audio/audio_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace strumwise::platform::desktop {
namespace {

// The owner of a worker stuck in a call never waits for it; the queued tasks still run, in
// order, once the call returns.
TEST(AudioWorker, RunsTasksInOrderAndIsNeverWaitedForWhenStuck) {
    std::mutex mutex;
    std::vector<int> order;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> lastRan = false;
    {
        AudioWorker worker;
        for (int i = 0; i < 3; ++i) {
            worker.post([&, i] {
                std::lock_guard lock(mutex);
                order.push_back(i);
            });
        }
        worker.post([released] { released.wait(); });
        worker.post([&lastRan] { lastRan = true; });
    }  // a hang here is the fault
    EXPECT_FALSE(lastRan.load());
    release.set_value();
    for (int i = 0; i < 3000 && !lastRan; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(lastRan.load());
    std::lock_guard lock(mutex);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
}

// Upkeep runs only while the worker has nothing to do, never alongside a task, and not once the
// worker has gone.
TEST(AudioWorker, RunsItsIdleTaskOnlyWhenQuiet) {
    std::atomic<int> upkeep = 0;
    std::atomic<bool> busy = false;
    std::atomic<bool> overlapped = false;
    {
        AudioWorker worker;
        worker.setIdleTask(std::chrono::milliseconds(5), [&] {
            overlapped = overlapped || busy;
            ++upkeep;
        });
        worker.post([&] {
            busy = true;
            const int before = upkeep;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            overlapped = overlapped || upkeep != before;
            busy = false;
        });
        for (int i = 0; i < 3000 && upkeep < 3; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    EXPECT_GE(upkeep.load(), 3);
    EXPECT_FALSE(overlapped.load());
    const int atExit = upkeep;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(upkeep.load(), atExit);
}

}  // namespace
}  // namespace strumwise::platform::desktop
