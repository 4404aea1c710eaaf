#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/application.h"

namespace strumwise::platform::headless {

// The application's process-wide switches, remembered for tests: nothing dims and there is no
// status bar headless, and URLs go nowhere but into the list of opened URLs.
class HeadlessApplication final : public Application {
  public:
    void setIdleTimerDisabled(bool disabled) override { idleTimerDisabled_ = disabled; }
    void setStatusBarHidden(bool hidden, int /*animation*/) override { statusBarHidden_ = hidden; }
    void openURL(std::string_view url) override { openedURLs_.emplace_back(url); }

    bool idleTimerDisabled() const { return idleTimerDisabled_; }
    bool statusBarHidden() const { return statusBarHidden_; }
    const std::vector<std::string>& openedURLs() const { return openedURLs_; }

  private:
    bool idleTimerDisabled_ = false;
    bool statusBarHidden_ = false;
    std::vector<std::string> openedURLs_;
};

}  // namespace strumwise::platform::headless
