#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace strumwise::rating {

// The rating prompt's process-wide settings. They are not persisted: the application sets them
// at every launch. Read from the rating prompt's background queues and written from the main
// thread, so every value is atomic or behind the mutex.
class RatingSettings {
  public:
    // The store identifier as given (decimal digits); empty until set.
    std::string appId() const;
    void setAppId(std::string_view appId);

    double daysUntilPrompt() const { return daysUntilPrompt_.load(); }
    void setDaysUntilPrompt(double days) { daysUntilPrompt_.store(days); }
    std::int64_t usesUntilPrompt() const { return usesUntilPrompt_.load(); }
    void setUsesUntilPrompt(std::int64_t uses) { usesUntilPrompt_.store(uses); }
    // -1, the default, means that significant events never hold the prompt back.
    std::int64_t significantEventsUntilPrompt() const {
        return significantEventsUntilPrompt_.load();
    }
    void setSignificantEventsUntilPrompt(std::int64_t events) {
        significantEventsUntilPrompt_.store(events);
    }
    double timeBeforeReminding() const { return timeBeforeReminding_.load(); }
    void setTimeBeforeReminding(double days) { timeBeforeReminding_.store(days); }
    bool debug() const { return debug_.load(); }
    void setDebug(bool debug) { debug_.store(debug); }
    bool usesAnimation() const { return usesAnimation_.load(); }
    void setUsesAnimation(bool animation) { usesAnimation_.store(animation); }
    // True while the store's product page is up.
    bool modalOpen() const { return modalOpen_.load(); }
    void setModalOpen(bool open) { modalOpen_.store(open); }
    bool alwaysUseMainBundle() const { return alwaysUseMainBundle_.load(); }
    void setAlwaysUseMainBundle(bool always) { alwaysUseMainBundle_.store(always); }
    // Accepted for callers that set it; the prompt draws no status bar, so it changes nothing.
    void setStatusBarStyle(std::int64_t /*style*/) {}

  private:
    mutable std::mutex appIdMutex_;
    std::string appId_;
    std::atomic<double> daysUntilPrompt_{30.0};
    std::atomic<std::int64_t> usesUntilPrompt_{20};
    std::atomic<std::int64_t> significantEventsUntilPrompt_{-1};
    std::atomic<double> timeBeforeReminding_{1.0};
    std::atomic<bool> debug_{false};
    std::atomic<bool> usesAnimation_{true};
    std::atomic<bool> modalOpen_{false};
    std::atomic<bool> alwaysUseMainBundle_{false};
};

}  // namespace strumwise::rating
