#pragma once

#include "adapters/headless/virtual_run_loop.h"
#include "platform/clock.h"

namespace strumwise::platform::headless {

// Wall-clock time for the headless platform: a fixed epoch plus the run loop's virtual time, so
// every run sees the same dates.
class VirtualClock final : public Clock {
  public:
    // 2024-01-01 00:00:00 UTC.
    static constexpr double kDefaultEpoch = 1704067200.0;

    explicit VirtualClock(const VirtualRunLoop& runLoop, double epoch = kDefaultEpoch)
        : runLoop_(runLoop), epoch_(epoch) {}

    double now() const override { return epoch_ + microsToSeconds(runLoop_.now()); }

  private:
    const VirtualRunLoop& runLoop_;
    const double epoch_;
};

}  // namespace strumwise::platform::headless
