#pragma once

#include <string_view>

namespace strumwise::platform {

// The system log: one call is one line. Implementations accept lines from any thread.
class Log {
  public:
    virtual ~Log() = default;
    virtual void write(std::string_view line) = 0;
};

}  // namespace strumwise::platform
