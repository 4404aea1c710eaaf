#pragma once

#include "platform/clock.h"
#include "platform/dispatch.h"
#include "platform/log.h"
#include "platform/run_loop.h"

namespace strumwise::platform::web {

// The browser's event loop as the main run loop: timers and delayed performs are the page's
// own timers, and queued work is a zero-delay task. The page has one thread, so "background"
// queues are tasks on it too: they run after the current task, in the order they were posted,
// which also makes every queue serial.
class WebRunLoop final : public RunLoop, public Dispatch, private TaskQueue {
  public:
    std::unique_ptr<Timer> scheduleRepeatingTimer(double intervalSeconds,
                                                  std::function<void()> handler) override;
    void performAfterDelay(std::string_view operation, double delaySeconds,
                           std::function<void()> action) override;
    void postToMain(std::function<void()> task) override;

    TaskQueue& backgroundQueue() override { return *this; }
    std::unique_ptr<TaskQueue> makeSerialQueue() override;

  private:
    void async(std::function<void()> task) override { postToMain(std::move(task)); }
};

// Wall-clock time from the browser.
class WebClock final : public Clock {
  public:
    double now() const override;
};

// The browser console is the system log.
class WebLog final : public Log {
  public:
    void write(std::string_view line) override;
};

}  // namespace strumwise::platform::web
