#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "platform/run_loop.h"

namespace strumwise::platform::desktop {

// The main run loop on Qt's event loop. Timers and delayed performs live in one schedule ordered
// by due time and then by the order of scheduling, driven by a single precise QTimer, so that two
// requests due at the same moment always run in the order they were made. Work posted from other
// threads arrives as queued invocations. Create and use it on the main thread (postToMain from
// any thread); it must outlive the timers it hands out.
class QtRunLoop final : public RunLoop {
  public:
    using Clock = std::chrono::steady_clock;

    QtRunLoop();
    ~QtRunLoop() override;

    std::unique_ptr<Timer> scheduleRepeatingTimer(double intervalSeconds,
                                                  std::function<void()> handler) override;
    void performAfterDelay(std::string_view operation, double delaySeconds,
                           std::function<void()> action) override;
    void postToMain(std::function<void()> task) override;

    // How many timers and performs are waiting; for tests.
    std::size_t pendingCount() const { return schedule_.size(); }

  private:
    struct Entry {
        std::function<void()> action;
        std::uint64_t timerId = 0;  // 0 for a delayed perform
        Clock::duration interval{};
    };
    using Key = std::pair<Clock::time_point, std::uint64_t>;
    class RepeatingTimer;

    void insert(Clock::time_point due, Entry entry);
    void cancelTimer(std::uint64_t timerId);
    void runDue();
    void rearm();

    QObject context_;
    QTimer wakeUp_;
    std::map<Key, Entry> schedule_;
    std::uint64_t nextSequence_ = 1;
    std::uint64_t nextTimerId_ = 1;
    // The timer whose handler is running, if any: cancelling it from inside its own handler
    // must keep it from being scheduled again.
    std::uint64_t runningTimerId_ = 0;
    bool runningTimerCancelled_ = false;
    std::shared_ptr<bool> alive_;
};

}  // namespace strumwise::platform::desktop
