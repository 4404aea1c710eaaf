#pragma once

#include <mutex>
#include <string>
#include <string_view>

#include "platform/log.h"

namespace strumwise::testing {

// A log that keeps every line, for a test to read back; audio threads may write while the test
// reads.
struct LinesLog : platform::Log {
    void write(std::string_view line) override {
        std::lock_guard lock(mutex);
        (text += line) += '\n';
    }
    std::string all() {
        std::lock_guard lock(mutex);
        return text;
    }

  private:
    std::mutex mutex;
    std::string text;
};

}  // namespace strumwise::testing
