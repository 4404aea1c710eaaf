#include "adapters/web/web_run_loop.h"

#include <emscripten/eventloop.h>

#include "adapters/web/browser.h"

namespace strumwise::platform::web {

namespace {

// A task the browser calls back once; it frees itself after running.
void runOnce(void* userData) {
    auto* task = static_cast<std::function<void()>*>(userData);
    (*task)();
    delete task;
}

void schedule(double delaySeconds, std::function<void()> task) {
    emscripten_set_timeout(runOnce, delaySeconds * 1000.0,
                           new std::function<void()>(std::move(task)));
}

class IntervalTimer final : public RunLoop::Timer {
  public:
    IntervalTimer(double intervalSeconds, std::function<void()> handler)
        : handler_(std::move(handler)),
          id_(emscripten_set_interval(fire, intervalSeconds * 1000.0, this)) {}
    ~IntervalTimer() override { emscripten_clear_interval(id_); }
    IntervalTimer(const IntervalTimer&) = delete;
    IntervalTimer& operator=(const IntervalTimer&) = delete;

  private:
    // A hidden page is an application in the background: as on a phone, its repeating timers
    // (the tuner's tick) wait until it is back in front, rather than waking a throttled page
    // once a second to read a microphone it has closed.
    static void fire(void* self) {
        if (browser::isVisible()) {
            static_cast<IntervalTimer*>(self)->handler_();
        }
    }

    std::function<void()> handler_;
    long id_;
};

class MainThreadQueue final : public TaskQueue {
  public:
    void async(std::function<void()> task) override { schedule(0.0, std::move(task)); }
};

}  // namespace

std::unique_ptr<RunLoop::Timer> WebRunLoop::scheduleRepeatingTimer(double intervalSeconds,
                                                                   std::function<void()> handler) {
    return std::make_unique<IntervalTimer>(intervalSeconds, std::move(handler));
}

void WebRunLoop::performAfterDelay(std::string_view /*operation*/, double delaySeconds,
                                   std::function<void()> action) {
    schedule(delaySeconds, std::move(action));
}

void WebRunLoop::postToMain(std::function<void()> task) {
    schedule(0.0, std::move(task));
}

std::unique_ptr<TaskQueue> WebRunLoop::makeSerialQueue() {
    return std::make_unique<MainThreadQueue>();
}

double WebClock::now() const {
    return browser::nowSeconds();
}

WebLog::WebLog() : shown_(browser::showsDeveloperLines()) {}

void WebLog::write(std::string_view line) {
    if (shown_) {
        browser::log(line);
    }
}

}  // namespace strumwise::platform::web
