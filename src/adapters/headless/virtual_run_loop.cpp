#include "adapters/headless/virtual_run_loop.h"

#include <algorithm>

namespace strumwise::platform::headless {
namespace {

// A repeating timer re-arms itself before its handler runs, so work the handler schedules for
// the same instant comes after the timer's next firing in the order, as on a real run loop.
struct TimerState {
    VirtualRunLoop* loop = nullptr;
    Micros interval = 0;
    std::function<void()> handler;
    VirtualRunLoop::EventId pending = 0;
    bool valid = true;
};

void armTimer(const std::shared_ptr<TimerState>& state, Micros due) {
    state->pending = state->loop->scheduleAt(due, [state, due] {
        if (!state->valid) {
            return;
        }
        armTimer(state, due + state->interval);
        state->handler();
    });
}

class VirtualTimer final : public RunLoop::Timer {
  public:
    explicit VirtualTimer(std::shared_ptr<TimerState> state) : state_(std::move(state)) {}
    ~VirtualTimer() override {
        state_->valid = false;
        state_->loop->cancel(state_->pending);
    }

  private:
    std::shared_ptr<TimerState> state_;
};

}  // namespace

VirtualRunLoop::EventId VirtualRunLoop::scheduleAt(Micros due, std::function<void()> handler) {
    std::lock_guard lock(mutex_);
    const Micros when = std::max(due, now());
    const EventId id = nextId_++;
    events_.emplace(Key{when, id}, std::move(handler));
    dueTimes_.emplace(id, when);
    return id;
}

void VirtualRunLoop::cancel(EventId id) {
    std::lock_guard lock(mutex_);
    const auto found = dueTimes_.find(id);
    if (found == dueTimes_.end()) {
        return;
    }
    events_.erase(Key{found->second, id});
    dueTimes_.erase(found);
}

void VirtualRunLoop::runUntil(Micros time) {
    for (;;) {
        std::function<void()> handler;
        {
            std::lock_guard lock(mutex_);
            if (events_.empty() || events_.begin()->first.first > time) {
                break;
            }
            auto first = events_.begin();
            const auto [due, id] = first->first;
            handler = std::move(first->second);
            events_.erase(first);
            dueTimes_.erase(id);
            if (due > now()) {
                now_.store(due, std::memory_order_release);
            }
        }
        handler();
    }
    std::lock_guard lock(mutex_);
    if (time > now()) {
        now_.store(time, std::memory_order_release);
    }
}

std::optional<Micros> VirtualRunLoop::nextDueTime() const {
    std::lock_guard lock(mutex_);
    if (events_.empty()) {
        return std::nullopt;
    }
    return events_.begin()->first.first;
}

std::size_t VirtualRunLoop::pendingCount() const {
    std::lock_guard lock(mutex_);
    return events_.size();
}

std::unique_ptr<RunLoop::Timer> VirtualRunLoop::scheduleRepeatingTimer(
    double intervalSeconds, std::function<void()> handler) {
    auto state = std::make_shared<TimerState>();
    state->loop = this;
    state->interval = std::max(secondsToMicros(intervalSeconds), kMinimumTimerInterval);
    state->handler = std::move(handler);
    armTimer(state, now() + state->interval);
    return std::make_unique<VirtualTimer>(std::move(state));
}

void VirtualRunLoop::performAfterDelay(std::string_view /*operation*/, double delaySeconds,
                                       std::function<void()> action) {
    scheduleAfter(std::max<Micros>(secondsToMicros(delaySeconds), 0), std::move(action));
}

void VirtualRunLoop::postToMain(std::function<void()> task) {
    scheduleAt(now(), std::move(task));
}

}  // namespace strumwise::platform::headless
