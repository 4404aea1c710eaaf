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

// The browser console is the system log. The tuner's own lines are meant for its developers
// (the screen height a layout was chosen for, the metering status that reads like an error
// even when it is 0), so they reach the console only when the page was opened to show them, as
// the desktop shows them only with --verbose.
class WebLog final : public Log {
  public:
    WebLog();
    void write(std::string_view line) override;

  private:
    bool shown_;
};

}  // namespace strumwise::platform::web
