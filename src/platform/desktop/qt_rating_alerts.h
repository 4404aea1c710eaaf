#pragma once

#include "platform/alerts.h"

namespace strumwise::platform::desktop {

// Alerts as message boxes, modal over the window they are presented from. The buttons keep the
// order they were given in, the cancel-style button answers Escape and closing the box, and the
// first button is the default. Main thread only, except the visibility queries.
class QtAlerts final : public Alerts {
  public:
    bool alertControllerAvailable() const override { return true; }
    std::shared_ptr<AlertController> makeAlertController(std::string_view title,
                                                         std::string_view message) override;
    // View-style alerts appear over the active window when shown.
    std::shared_ptr<AlertView> makeAlertView(
        std::string_view title, std::string_view message, std::string_view cancelButtonTitle,
        std::function<void(std::int64_t buttonIndex)> didDismiss) override;
};

}  // namespace strumwise::platform::desktop
