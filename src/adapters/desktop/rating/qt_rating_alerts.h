#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/alerts.h"

namespace strumwise::platform::desktop {

// What a user sees happen to controller-style alerts, for the trace. The answer is the index the
// rating prompt gives it: 0 for the cancel-style button, then 1, 2, ... for the others in order.
struct AlertEvents {
    std::function<void(std::string_view title, std::string_view message,
                       const std::vector<std::string>& buttons)>
        shown;
    std::function<void(std::int64_t index)> answered;
    std::function<void()> hidden;
};

// Alerts as message boxes, modal over the window they are presented from. The buttons keep the
// order they were given in, the cancel-style button answers Escape and closing the box, and the
// first button is the default. Main thread only, except the visibility queries.
class QtAlerts final : public Alerts {
  public:
    explicit QtAlerts(AlertEvents events = {}) : events_(std::move(events)) {}

    bool alertControllerAvailable() const override { return true; }
    std::shared_ptr<AlertController> makeAlertController(std::string_view title,
                                                         std::string_view message) override;
    // None: the controller-style alert always serves on the desktop.
    std::shared_ptr<AlertView> makeAlertView(
        std::string_view title, std::string_view message, std::string_view cancelButtonTitle,
        std::function<void(std::int64_t buttonIndex)> didDismiss) override;

  private:
    const AlertEvents events_;
};

}  // namespace strumwise::platform::desktop
