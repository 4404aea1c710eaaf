// The rating prompt on real threads, as the application runs it: reports counted on background
// and serial queues while the main thread shows and hides alerts and changes texts and the
// delegate. Run under ThreadSanitizer too.

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/headless/headless_application.h"
#include "platform/headless/headless_bundle.h"
#include "platform/headless/headless_device.h"
#include "platform/headless/headless_log.h"
#include "platform/headless/memory_user_defaults.h"
#include "platform/headless/rating_alerts.h"
#include "platform/headless/rating_notifications.h"
#include "platform/headless/rating_views.h"
#include "platform/headless/virtual_clock.h"
#include "rating/rating_keys.h"
#include "rating/rating_prompt.h"
#include "rating_fakes.h"

namespace strumwise::rating::testing {
namespace {

using namespace platform::headless;

// Tasks in a list that a thread of the test's choosing runs.
class TaskList {
  public:
    void post(std::function<void()> task) {
        const std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
        wake_.notify_one();
    }
    // Runs what is there now; with `wait`, first waits for something to run.
    bool runPending(bool wait = false) {
        std::unique_lock lock(mutex_);
        if (wait) {
            wake_.wait(lock, [this] { return !tasks_.empty(); });
        }
        std::deque<std::function<void()>> tasks;
        tasks.swap(tasks_);
        lock.unlock();
        for (auto& task : tasks) {
            if (!task) {
                return false;
            }
            task();
        }
        return true;
    }

  private:
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;
};

// A serial queue: one worker thread runs the tasks in posting order until it meets an empty one.
class SerialThreadQueue final : public platform::TaskQueue {
  public:
    SerialThreadQueue()
        : worker_([this] {
              while (tasks_.runPending(true)) {
              }
          }) {}
    ~SerialThreadQueue() override {
        tasks_.post(nullptr);
        worker_.join();
    }
    void async(std::function<void()> task) override { tasks_.post(std::move(task)); }

  private:
    TaskList tasks_;
    std::thread worker_;
};

// The background queue runs each task on a thread of its own.
class ThreadDispatch final : public platform::Dispatch, public platform::TaskQueue {
  public:
    ~ThreadDispatch() override { join(); }
    platform::TaskQueue& backgroundQueue() override { return *this; }
    std::unique_ptr<platform::TaskQueue> makeSerialQueue() override {
        return std::make_unique<SerialThreadQueue>();
    }
    void async(std::function<void()> task) override {
        const std::lock_guard lock(mutex_);
        threads_.emplace_back(std::move(task));
    }
    void join() {
        std::vector<std::thread> threads;
        {
            const std::lock_guard lock(mutex_);
            threads.swap(threads_);
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
    }

  private:
    std::mutex mutex_;
    std::vector<std::thread> threads_;
};

// Work posted to the main thread waits until the test's main thread runs it.
class MainThread final : public platform::RunLoop {
  public:
    std::unique_ptr<Timer> scheduleRepeatingTimer(double, std::function<void()>) override {
        return nullptr;
    }
    void performAfterDelay(std::string_view, double, std::function<void()> action) override {
        tasks.post(std::move(action));
    }
    void postToMain(std::function<void()> task) override { tasks.post(std::move(task)); }

    TaskList tasks;
};

// Platform services for prompts on real threads. Alerts are never answered: the main thread
// hides them instead.
struct ThreadedPlatform {
    HeadlessLog log;
    VirtualRunLoop virtualTime;
    VirtualClock clock{virtualTime};
    TraceSink silent{nullptr, TraceSink::Format::Text, nullptr};
    MainThread mainThread;
    ThreadDispatch dispatch;
    MemoryUserDefaults defaults;
    HeadlessDevice device;
    HeadlessApplication application;
    HeadlessBundle bundle;
    HeadlessAlerts alerts{virtualTime, silent, AlertAnswer::None};
    FakeStore store;
    FakeNetwork network;
    HeadlessViewHierarchy views;
    HeadlessAppNotifications notifications;

    RatingServices services() {
        return RatingServices{log,    clock,       mainThread, dispatch,     defaults,
                              device, application, bundle,     nullptr,      alerts,
                              store,  network,     views,      notifications};
    }
};

TEST(RatingThreads, ReportsFromSeveralThreadsAreAllCountedWhileTheMainThreadShowsAlerts) {
    ThreadedPlatform platform;
    RatingSettings settings;
    settings.setDaysUntilPrompt(0.0);
    settings.setUsesUntilPrompt(0);
    RatingPrompt prompt(platform.services(), settings);
    const auto delegate = std::make_shared<RatingPromptDelegate>();

    constexpr int kThreads = 4;
    constexpr int kReportsPerThread = 25;
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
        platform.mainThread.tasks.runPending();
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
    platform.dispatch.join();
    // The serial queue keeps order: once a last task has run, every report before it has.
    std::atomic<bool> drained{false};
    prompt.eventQueue()->async([&drained] { drained = true; });
    while (!drained) {
        std::this_thread::yield();
    }
    platform.mainThread.tasks.runPending();

    EXPECT_EQ(platform.defaults.integerForKey(kUseCountKey), 2 * kThreads * kReportsPerThread);
    EXPECT_EQ(platform.defaults.integerForKey(kSignificantEventCountKey),
              kThreads * kReportsPerThread);
}

TEST(SharedRatingPrompt, NeedsItsServicesFirstThenIsOneInstanceForEveryThread) {
    EXPECT_THROW(RatingPrompt::sharedInstance(), std::logic_error);

    // The shared instance is never destroyed, so neither are its services.
    static ThreadedPlatform* const platform = new ThreadedPlatform;
    RatingPrompt::provideServices(platform->services());

    std::vector<RatingPrompt*> seen(4);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        threads.emplace_back([&seen, i] { seen[i] = &RatingPrompt::sharedInstance(); });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (RatingPrompt* prompt : seen) {
        EXPECT_EQ(prompt, &RatingPrompt::sharedInstance());
    }
    EXPECT_THROW(RatingPrompt::provideServices(platform->services()), std::logic_error);

    RatingPrompt::setUsesUntilPrompt(2);
    RatingPrompt::setCustomAlertTitle("Rate the banjo tuner");
    EXPECT_EQ(RatingSettings::shared().usesUntilPrompt(), 2);
    EXPECT_EQ(RatingPrompt::sharedInstance().alertTitle(), "Rate the banjo tuner");
    EXPECT_EQ(&RatingPrompt::bundle(), &platform->bundle);
}

}  // namespace
}  // namespace strumwise::rating::testing
