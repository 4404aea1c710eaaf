#pragma once

#include <string_view>

namespace strumwise::platform {

// The running application's process-wide services. All calls on the main thread.
class Application {
  public:
    virtual ~Application() = default;
    // True keeps the display lit while the application runs.
    virtual void setIdleTimerDisabled(bool disabled) = 0;
    virtual void setStatusBarHidden(bool hidden, int animation) = 0;
    // Hands the URL text to the platform; the outcome is not observed.
    virtual void openURL(std::string_view url) = 0;
};

}  // namespace strumwise::platform
