// The rating prompt on real threads, as the application runs it: reports counted on background
// and serial queues while the main thread shows and hides alerts and changes texts and the
// delegate. Run under ThreadSanitizer too.

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <thread>
#include <vector>

#include "adapters/headless/headless_platform.h"
#include "adapters/headless/rating_platform.h"
#include "rating/rating_keys.h"
#include "rating/rating_prompt.h"

namespace strumwise::rating {
namespace {

using namespace platform::headless;

// A serial queue: one worker thread runs the tasks in posting order.
class WorkerQueue final : public platform::TaskQueue {
  public:
    ~WorkerQueue() override {
        async(nullptr);
        worker_.join();
    }
    void async(std::function<void()> task) override {
        const std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
        wake_.notify_one();
    }

  private:
    // The next task, once there is one; an empty task ends the worker.
    std::function<void()> next() {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return !tasks_.empty(); });
        auto task = std::move(tasks_.front());
        tasks_.pop_front();
        return task;
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;
    std::thread worker_{[this] {
        while (const auto task = next()) {
            task();
        }
    }};  // last: starts once the rest is built
};

// Waits until every task posted to `queue` so far has run.
void drain(platform::TaskQueue& queue) {
    std::atomic<bool> done{false};
    queue.async([&done] { done = true; });
    while (!done) {
        std::this_thread::yield();
    }
}

// The headless platform with the reports' queues on worker threads. Work posted to the main
// thread waits on the virtual run loop until the test's main thread runs it. Alerts are never
// answered: the main thread hides them instead.
struct ThreadedPlatform : platform::Dispatch {
    HeadlessPlatform headless;
    HeadlessRatingPlatform rating{{.networkUp = true}, headless.runLoop(), headless.trace()};
    WorkerQueue background;

    ThreadedPlatform() { rating.views().setMainWindowInstalled(true); }
    platform::TaskQueue& backgroundQueue() override { return background; }
    std::unique_ptr<platform::TaskQueue> makeSerialQueue() override {
        return std::make_unique<WorkerQueue>();
    }
    RatingServices services() {
        platform::Services& common = headless.services();
        return RatingServices{
            common.log,      common.clock,          common.runLoop,     *this,
            common.defaults, common.device,         common.application, common.bundle,
            nullptr,         rating.alerts(),       rating.store(),     rating.network(),
            rating.views(),  rating.notifications()};
    }
};

TEST(RatingThreads, ReportsFromSeveralThreadsAreAllCountedWhileTheMainThreadShowsAlerts) {
    ThreadedPlatform platform;
    RatingSettings settings;
    settings.setDaysUntilPrompt(0.0);
    settings.setUsesUntilPrompt(0);
    RatingPrompt prompt(platform.services(), settings);
    const auto delegate = std::make_shared<RatingPromptDelegate>();

    constexpr int kThreads = 4, kReportsPerThread = 25;
    std::atomic<int> reportersDone{0};
    std::vector<std::thread> reporters;
    for (int t = 0; t < kThreads; ++t) {
        reporters.emplace_back([&] {
            for (int i = 0; i < kReportsPerThread; ++i) {
                RatingPrompt::appLaunched(prompt, true);
                RatingPrompt::appEnteredForeground(prompt, true);
                RatingPrompt::userDidSignificantEvent(prompt, true);
            }
            ++reportersDone;
        });
    }
    // The main thread shows what the reports queue, hides it again so that more can come, and
    // changes what the reporting threads read.
    for (int round = 0; reportersDone < kThreads || round < 50; ++round) {
        platform.headless.runLoop().runPending();
        RatingPrompt::appWillResignActive(prompt);
        prompt.setAlertTitle(round % 2 ? std::optional<std::string>("Rate us") : std::nullopt);
        prompt.setDelegate(round % 2 ? delegate : std::shared_ptr<RatingPromptDelegate>());
        settings.setDebug(false);
        EXPECT_FALSE(prompt.alertTitle().empty());
        std::this_thread::yield();
    }
    for (std::thread& reporter : reporters) {
        reporter.join();
    }
    drain(platform.background);
    drain(*prompt.eventQueue());
    platform.headless.runLoop().runPending();

    platform::UserDefaults& defaults = platform.headless.store();
    EXPECT_EQ(defaults.integerForKey(kUseCountKey), 2 * kThreads * kReportsPerThread);
    EXPECT_EQ(defaults.integerForKey(kSignificantEventCountKey), kThreads * kReportsPerThread);
}

}  // namespace
}  // namespace strumwise::rating
