#pragma once

namespace strumwise::platform {

// Wall-clock time as the logic sees it. The headless platform answers virtual time.
class Clock {
  public:
    virtual ~Clock() = default;
    // Seconds since 1970-01-01 00:00 UTC. Safe to call from any thread.
    virtual double now() const = 0;
};

}  // namespace strumwise::platform
