#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/view_hierarchy.h"

namespace strumwise::platform {

// How an alert action is drawn; the cancel action is also the one Escape or a tap outside picks.
enum class AlertActionStyle { Default, Cancel };

// An alert in the controller style: a view controller that is presented from another controller
// and carries one button per action.
class AlertController : public ViewController {
  public:
    // Adds a button. When it is pressed the alert goes away and `handler` runs on the main thread
    // with the title of the pressed button.
    virtual void addAction(std::string_view title, AlertActionStyle style,
                           std::function<void(std::string_view pressedTitle)> handler) = 0;
    // Whether the alert's view is in a view hierarchy, that is on screen. Safe from any thread:
    // the rating prompt asks from its background queues.
    virtual bool isInViewHierarchy() const = 0;
};

// An alert in the older view style: buttons by index, the cancel button at index 0, and one
// dismissal report with the index of the pressed button (-1 when dismissed without a button).
class AlertView {
  public:
    virtual ~AlertView() = default;
    // Adds a button and answers its index.
    virtual std::int64_t addButtonWithTitle(std::string_view title) = 0;
    virtual void show() = 0;
    // Whether the alert is on screen. Safe from any thread.
    virtual bool isVisible() const = 0;
    // Dismisses the alert as if the button at `index` had been pressed; the dismissal is
    // reported with that index.
    virtual void dismissWithClickedButtonIndex(std::int64_t index, bool animated) = 0;
};

// The platform's alerts. Creation and presentation on the main thread.
class Alerts {
  public:
    virtual ~Alerts() = default;
    // Whether the platform offers controller-style alerts.
    virtual bool alertControllerAvailable() const = 0;
    // A controller-style alert with no actions yet, not presented.
    virtual std::shared_ptr<AlertController> makeAlertController(std::string_view title,
                                                                 std::string_view message) = 0;
    // A view-style alert whose cancel button (index 0) has `cancelButtonTitle`, not shown yet.
    // `didDismiss` gets the index of the pressed button on the main thread. A platform whose
    // controller-style alerts are always available may answer nullptr.
    virtual std::shared_ptr<AlertView> makeAlertView(
        std::string_view title, std::string_view message, std::string_view cancelButtonTitle,
        std::function<void(std::int64_t buttonIndex)> didDismiss) = 0;
};

}  // namespace strumwise::platform
