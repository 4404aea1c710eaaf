#include "platform/desktop/audio_worker.h"

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

}  // namespace
}  // namespace strumwise::platform::desktop
