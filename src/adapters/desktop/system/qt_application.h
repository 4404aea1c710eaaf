#pragma once

#include <cstdint>
#include <optional>

#include "platform/application.h"
#include "platform/log.h"

namespace strumwise::platform::desktop {

// The application's process-wide services on a Linux desktop.
class QtApplication final : public Application {
  public:
    explicit QtApplication(Log& log) : log_(log) {}
    ~QtApplication() override;

    // Keeps the screen saver away through the session's org.freedesktop.ScreenSaver service,
    // where the session offers one; otherwise says so once in the log.
    void setIdleTimerDisabled(bool disabled) override;
    // A desktop window has no status bar above it, so there is nothing to hide: accepted and
    // ignored.
    void setStatusBarHidden(bool, int) override {}
    // Hands the URL to the desktop's opener. Store addresses ("itms-apps:") have no handler on
    // the desktop; their https form opens the store's web page instead (see desktopAddressFor).
    // When nothing opens it, says so in the log and in a short notice on the window.
    void openURL(std::string_view url) override;

    bool idleTimerDisabled() const { return inhibitCookie_.has_value(); }

  private:
    Log& log_;
    std::optional<std::uint32_t> inhibitCookie_;
    bool reportedUnavailable_ = false;
};

// The address the desktop opens for `url`: a store address ("itms-apps:") that names an
// application becomes the store's web page for reviewing it, any other store address the same
// address over https; anything else stays as it is.
std::string desktopAddressFor(std::string_view url);

}  // namespace strumwise::platform::desktop
