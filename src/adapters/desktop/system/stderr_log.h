#pragma once

#include <mutex>

#include "platform/clock.h"
#include "platform/log.h"

namespace strumwise::platform::desktop {

// The system log on the desktop: one line on standard error per call, written whole and flushed
// at once, from any thread.
class StderrLog final : public Log {
  public:
    void write(std::string_view line) override;

  private:
    std::mutex mutex_;
};

// Seconds since 1970 from the system clock; safe from any thread.
class SystemClock final : public Clock {
  public:
    double now() const override;
};

}  // namespace strumwise::platform::desktop
