#include "adapters/desktop/system/qt_run_loop.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace strumwise::platform::desktop {
namespace {

QtRunLoop::Clock::duration toDuration(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0.0) {
        seconds = 0.0;
    }
    return std::chrono::duration_cast<QtRunLoop::Clock::duration>(
        std::chrono::duration<double>(seconds));
}

}  // namespace

// Cancels its timer when destroyed; harmless once the run loop is gone.
class QtRunLoop::RepeatingTimer final : public RunLoop::Timer {
  public:
    RepeatingTimer(QtRunLoop& loop, std::uint64_t id, std::weak_ptr<bool> alive)
        : loop_(loop), id_(id), alive_(std::move(alive)) {}
    ~RepeatingTimer() override {
        if (!alive_.expired()) {
            loop_.cancelTimer(id_);
        }
    }

  private:
    QtRunLoop& loop_;
    std::uint64_t id_;
    std::weak_ptr<bool> alive_;
};

QtRunLoop::QtRunLoop() : alive_(std::make_shared<bool>(true)) {
    wakeUp_.setSingleShot(true);
    wakeUp_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wakeUp_, &QTimer::timeout, &context_, [this] { runDue(); });
}

QtRunLoop::~QtRunLoop() {
    alive_.reset();
}

std::unique_ptr<RunLoop::Timer> QtRunLoop::scheduleRepeatingTimer(double intervalSeconds,
                                                                  std::function<void()> handler) {
    const std::uint64_t id = nextTimerId_++;
    // A zero period would spin the main thread; one millisecond is the finest a person needs.
    const Clock::duration interval =
        std::max<Clock::duration>(toDuration(intervalSeconds), std::chrono::milliseconds(1));
    insert(Clock::now() + interval, Entry{std::move(handler), id, interval});
    return std::make_unique<RepeatingTimer>(*this, id, alive_);
}

void QtRunLoop::performAfterDelay(std::string_view, double delaySeconds,
                                  std::function<void()> action) {
    insert(Clock::now() + toDuration(delaySeconds), Entry{std::move(action), 0, {}});
}

void QtRunLoop::postToMain(std::function<void()> task) {
    QMetaObject::invokeMethod(&context_, std::move(task), Qt::QueuedConnection);
}

void QtRunLoop::insert(Clock::time_point due, Entry entry) {
    schedule_.emplace(Key{due, nextSequence_++}, std::move(entry));
    rearm();
}

void QtRunLoop::cancelTimer(std::uint64_t timerId) {
    if (timerId == runningTimerId_) {
        runningTimerCancelled_ = true;
    }
    std::erase_if(schedule_,
                  [timerId](const auto& item) { return item.second.timerId == timerId; });
    rearm();
}

void QtRunLoop::runDue() {
    const std::weak_ptr<bool> alive = alive_;
    const Clock::time_point now = Clock::now();
    // Only what is due now runs in this pass; anything a handler schedules waits for the next.
    const std::uint64_t lastSequence = nextSequence_;
    while (!schedule_.empty()) {
        auto first = schedule_.begin();
        if (first->first.first > now || first->first.second >= lastSequence) {
            break;
        }
        const Clock::time_point due = first->first.first;
        Entry entry = std::move(first->second);
        schedule_.erase(first);

        // A handler may open a modal dialog and so run a nested event loop; the wake-up is
        // armed first so that timers keep firing meanwhile.
        rearm();
        const std::uint64_t outerTimerId = std::exchange(runningTimerId_, entry.timerId);
        const bool outerCancelled = std::exchange(runningTimerCancelled_, false);
        entry.action();
        if (alive.expired()) {
            return;  // the handler ended the run loop itself
        }
        const bool cancelled = std::exchange(runningTimerCancelled_, outerCancelled);
        runningTimerId_ = outerTimerId;
        if (entry.timerId != 0 && !cancelled) {
            // A repeating timer keeps its rhythm; firings missed while the main thread was busy
            // are skipped rather than delivered in a burst.
            Clock::time_point next = due + entry.interval;
            if (next <= now) {
                next = now + entry.interval;
            }
            schedule_.emplace(Key{next, nextSequence_++}, std::move(entry));
        }
    }
    rearm();
}

void QtRunLoop::rearm() {
    if (schedule_.empty()) {
        wakeUp_.stop();
        return;
    }
    const auto wait = schedule_.begin()->first.first - Clock::now();
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
    wakeUp_.start(static_cast<int>(std::clamp<long long>(ms, 0, 24LL * 3600 * 1000)));
}

}  // namespace strumwise::platform::desktop
