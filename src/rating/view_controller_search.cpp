// Finding the controller that the rating prompt presents its alert and product page from.

#include "rating/rating_prompt.h"

namespace strumwise::rating {

platform::ViewController* RatingPrompt::getRootViewController(
    const platform::ViewHierarchy& views) {
    const platform::Window* window = views.keyWindow();
    if (window != nullptr && window->windowLevel() != views.normalWindowLevel()) {
        // The key window is an alert or some other overlay: present from the application's own
        // window beneath it instead.
        window = nullptr;
        for (const platform::Window* candidate : views.windows()) {
            if (candidate->windowLevel() == views.normalWindowLevel()) {
                window = candidate;
                break;
            }
        }
    }
    return window ? iterateSubViewsForViewController(*window) : nullptr;
}

platform::ViewController* RatingPrompt::iterateSubViewsForViewController(
    const platform::View& view) {
    for (const platform::View* subview : view.subviews()) {
        if (platform::ViewController* controller = subview->nextResponderViewController()) {
            return topMostViewController(*controller);
        }
        if (platform::ViewController* found = iterateSubViewsForViewController(*subview)) {
            return found;
        }
    }
    return nullptr;
}

platform::ViewController* RatingPrompt::topMostViewController(
    platform::ViewController& controller) {
    platform::ViewController* top = &controller;
    while (platform::ViewController* presented = top->presentedViewController()) {
        top = presented;
    }
    return top;
}

}  // namespace strumwise::rating
