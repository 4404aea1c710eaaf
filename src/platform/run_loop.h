#pragma once

#include <functional>
#include <memory>
#include <string_view>

namespace strumwise::platform {

// The main thread's run loop: repeating timers, delayed performs and queued work.
// Every handler runs on the main thread, in due-time order and, for equal times, in the order
// in which it was scheduled.
class RunLoop {
  public:
    virtual ~RunLoop() = default;

    // A repeating timer; its first firing is one interval after scheduling. The returned handle
    // invalidates the timer when it is destroyed, so owners keep it for as long as it should fire.
    class Timer {
      public:
        virtual ~Timer() = default;
    };
    virtual std::unique_ptr<Timer> scheduleRepeatingTimer(double intervalSeconds,
                                                          std::function<void()> handler) = 0;

    // Runs `action` once after `delaySeconds`. Every request runs; none is merged or cancelled.
    // `operation` names what runs (for example "resetTuningBools") so that traces can show it.
    virtual void performAfterDelay(std::string_view operation, double delaySeconds,
                                   std::function<void()> action) = 0;

    // Queues `task` to run on the main thread as soon as possible. Safe from any thread.
    virtual void postToMain(std::function<void()> task) = 0;
};

}  // namespace strumwise::platform
