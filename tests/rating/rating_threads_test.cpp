// The rating prompt on real threads, as the application runs it: reports counted on background
// and serial queues while the main thread shows and answers alerts and changes texts and the
// delegate. Built to run under ThreadSanitizer too.

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
#include "rating/rating_keys.h"
#include "rating/rating_prompt.h"
#include "rating_fakes.h"

namespace strumwise::rating::testing {
namespace {

class FixedClock final : public platform::Clock {
  public:
    double now() const override { return 1704067200.0; }
};

// A serial queue: one worker thread runs the tasks in posting order.
class SerialThreadQueue final : public platform::TaskQueue {
  public:
    SerialThreadQueue() : worker_([this] { run(); }) {}
    ~SerialThreadQueue() override {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        worker_.join();
    }
    void async(std::function<void()> task) override {
        {
            const std::lock_guard lock(mutex_);
            tasks_.push_back(std::move(task));
        }
        wake_.notify_one();
    }

  private:
    void run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
            if (tasks_.empty()) {
                return;
            }
            std::function<void()> task = std::move(tasks_.front());
            tasks_.pop_front();
            lock.unlock();
            task();
            lock.lock();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;
    bool stopping_ = false;
    std::thread worker_;
};

// The background queue runs every task on a thread of its own; join() waits for them all.
class ThreadDispatch final : public platform::Dispatch {
  public:
    class Background final : public platform::TaskQueue {
      public:
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

    ~ThreadDispatch() override { background_.join(); }
    platform::TaskQueue& backgroundQueue() override { return background_; }
    std::unique_ptr<platform::TaskQueue> makeSerialQueue() override {
        return std::make_unique<SerialThreadQueue>();
    }
    void join() { background_.join(); }

  private:
    Background background_;
};

// Work posted to the main thread waits until the main thread runs it.
class MainQueue final : public platform::RunLoop {
  public:
    std::unique_ptr<Timer> scheduleRepeatingTimer(double, std::function<void()>) override {
        return nullptr;
    }
    void performAfterDelay(std::string_view, double, std::function<void()> action) override {
        postToMain(std::move(action));
    }
    void postToMain(std::function<void()> task) override {
        const std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    void runPending() {
        std::deque<std::function<void()>> tasks;
        {
            const std::lock_guard lock(mutex_);
            tasks.swap(tasks_);
        }
        for (auto& task : tasks) {
            task();
        }
    }

  private:
    std::mutex mutex_;
    std::deque<std::function<void()>> tasks_;
};

// Platform services for prompts that live as long as the process.
struct ThreadedServices {
    platform::headless::HeadlessLog log;
    FixedClock clock;
    MainQueue runLoop;
    ThreadDispatch dispatch;
    platform::headless::MemoryUserDefaults defaults;
    platform::headless::HeadlessDevice device;
    platform::headless::HeadlessApplication application;
    platform::headless::HeadlessBundle bundle;
    FakeAlerts alerts;
    FakeStore store;
    FakeNetwork network;
    FakeViewHierarchy views;
    FakeNotifications notifications;
    AppWindow window;

    ThreadedServices() {
        views.key = &window.window;
        views.all = {&window.window};
    }

    RatingServices services() {
        return RatingServices{log,    clock,   runLoop, dispatch, defaults, device, application,
                              bundle, nullptr, alerts,  store,    network,  views,  notifications};
    }
};

TEST(RatingThreads, ReportsFromSeveralThreadsAreAllCountedWhileTheMainThreadShowsAlerts) {
    ThreadedServices platform;
    RatingSettings settings;
    settings.setDaysUntilPrompt(0.0);
    settings.setUsesUntilPrompt(0);
    settings.setTimeBeforeReminding(0.0);
    RatingPrompt prompt(platform.services(), settings);
    auto delegate = std::make_shared<RatingPromptDelegate>();

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

    // The main thread: shows what the reports queue, answers it, and changes what the
    // background threads read.
    std::size_t answered = 0;
    for (int round = 0; reportersDone < kThreads || round < 50; ++round) {
        platform.runLoop.runPending();
        while (answered < platform.alerts.controllers.size()) {
            platform.alerts.controllers[answered++]->press("Remind me later");
        }
        prompt.setAlertTitle(round % 2 ? std::optional<std::string>("Rate us") : std::nullopt);
        prompt.setDelegate(round % 2 ? std::weak_ptr<RatingPromptDelegate>(delegate)
                                     : std::weak_ptr<RatingPromptDelegate>());
        settings.setUsesAnimation(round % 2 == 0);
        EXPECT_FALSE(prompt.alertTitle().empty());
        (void)prompt.isRatingAlertVisible();
        std::this_thread::yield();
    }
    for (std::thread& reporter : reporters) {
        reporter.join();
    }
    platform.dispatch.join();
    // The serial queue runs in order: once a last task has run, every report before it has.
    std::atomic<bool> drained{false};
    prompt.eventQueue()->async([&drained] { drained = true; });
    while (!drained) {
        std::this_thread::yield();
    }
    const std::int64_t expectedUses = 2 * kThreads * kReportsPerThread;
    platform.runLoop.runPending();

    EXPECT_EQ(platform.defaults.integerForKey(kUseCountKey), expectedUses);
    EXPECT_EQ(platform.defaults.integerForKey(kSignificantEventCountKey),
              kThreads * kReportsPerThread);
    EXPECT_FALSE(platform.alerts.controllers.empty());
}

TEST(SharedRatingPrompt, NeedsItsServicesFirstThenIsOneInstanceForEveryThread) {
    EXPECT_THROW(RatingPrompt::sharedInstance(), std::logic_error);

    // The shared instance is never destroyed, so neither are its services.
    static ThreadedServices* const platform = new ThreadedServices;
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
    RatingPrompt::sharedInstance().setOpenInAppStore(true);
    EXPECT_EQ(RatingSettings::shared().usesUntilPrompt(), 2);
    EXPECT_EQ(RatingPrompt::sharedInstance().alertTitle(), "Rate the banjo tuner");
    EXPECT_EQ(&RatingPrompt::bundle(), &platform->bundle);
}

}  // namespace
}  // namespace strumwise::rating::testing
