#include "adapters/desktop/system/stderr_log.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace strumwise::platform::desktop {

void StderrLog::write(std::string_view line) {
    std::string whole = "strumwise: ";
    whole.append(line);
    whole.push_back('\n');
    std::lock_guard lock(mutex_);
    std::fwrite(whole.data(), 1, whole.size(), stderr);
    std::fflush(stderr);
}

double SystemClock::now() const {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration<double>(sinceEpoch).count();
}

}  // namespace strumwise::platform::desktop
