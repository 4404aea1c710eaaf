#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "adapters/headless/virtual_time.h"
#include "platform/run_loop.h"

namespace strumwise::platform::headless {

// The headless main run loop: one virtual clock in integer microseconds and a queue of events.
// Nothing happens by itself; the owner advances time with runUntil or advanceBy, and every event
// due by then runs on the calling thread, ordered by due time and, for equal times, by the order
// in which it was scheduled. Events scheduled from inside a handler join the same order, so a
// perform with no delay runs after everything already due at that time.
//
// Scheduling and cancelling are safe from any thread (postToMain comes from background work);
// running events is the main thread's job alone.
class VirtualRunLoop final : public RunLoop {
  public:
    using EventId = std::uint64_t;

    // The shortest timer interval; a shorter (or zero) interval would stall virtual time.
    static constexpr Micros kMinimumTimerInterval = 100;

    VirtualRunLoop() = default;
    VirtualRunLoop(const VirtualRunLoop&) = delete;
    VirtualRunLoop& operator=(const VirtualRunLoop&) = delete;

    // The current virtual time. Safe from any thread.
    Micros now() const { return now_.load(std::memory_order_acquire); }

    // Runs `handler` at `due` (times in the past mean now). Answers an id for cancel.
    EventId scheduleAt(Micros due, std::function<void()> handler);
    EventId scheduleAfter(Micros delay, std::function<void()> handler) {
        return scheduleAt(now() + delay, std::move(handler));
    }
    // Drops a pending event; an event that already ran or was cancelled is ignored.
    void cancel(EventId id);

    // Runs every event due at or before `time` in order, then leaves the clock at `time`.
    // The clock never moves backwards.
    void runUntil(Micros time);
    void advanceBy(Micros delta) { runUntil(now() + delta); }
    // Runs the events due at the current time, such as work just posted to the main thread.
    void runPending() { runUntil(now()); }

    // The due time of the earliest pending event, if any.
    std::optional<Micros> nextDueTime() const;
    std::size_t pendingCount() const;

    // RunLoop.
    std::unique_ptr<Timer> scheduleRepeatingTimer(double intervalSeconds,
                                                  std::function<void()> handler) override;
    void performAfterDelay(std::string_view operation, double delaySeconds,
                           std::function<void()> action) override;
    void postToMain(std::function<void()> task) override;

  private:
    using Key = std::pair<Micros, EventId>;

    mutable std::mutex mutex_;
    std::map<Key, std::function<void()>> events_;
    std::unordered_map<EventId, Micros> dueTimes_;
    EventId nextId_ = 1;
    std::atomic<Micros> now_{0};
};

}  // namespace strumwise::platform::headless
