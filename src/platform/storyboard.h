#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "platform/view_toolkit.h"

namespace strumwise::platform {

// A loaded screen layout: its views, found by outlet name, and the actions its controls send.
// Owned by the platform's Windows for the life of the process.
class Storyboard {
  public:
    virtual ~Storyboard() = default;
    // The view connected to that outlet name, or nullptr when the layout has none of that kind.
    virtual Label* label(std::string_view outlet) = 0;
    virtual ImageView* imageView(std::string_view outlet) = 0;
    virtual Button* button(std::string_view outlet) = 0;
    // The meters; a platform without them answers nullptr, and the screen simply lacks them.
    virtual TuningMeter* tuningMeter(std::string_view /*outlet*/) { return nullptr; }
    virtual LevelMeter* levelMeter(std::string_view /*outlet*/) { return nullptr; }
    // The picture of the meter's last seconds; a platform without it answers nullptr.
    virtual ReadingHistoryView* readingHistory(std::string_view /*outlet*/) { return nullptr; }
    // How the screen weighs its read-outs; a platform without it answers nullptr.
    virtual ScreenLookView* screenLook(std::string_view /*outlet*/) { return nullptr; }
    // Every control action of the layout ("playG392Hz:", "showNextTuning:", ...) is delivered to
    // `handler` on the main thread, by name.
    virtual void setActionHandler(std::function<void(std::string_view action)> handler) = 0;
};

// The application's windows.
class Windows {
  public:
    virtual ~Windows() = default;
    // Loads the layout of that name ("Main_iPhone6"); nullptr when it is not among the
    // resources. The platform keeps the storyboard for the life of the process.
    virtual Storyboard* loadStoryboard(std::string_view name) = 0;
    // Creates a window the size of the main screen showing the storyboard, makes it the key
    // window and shows it.
    virtual void installWindow(Storyboard& storyboard) = 0;
};

}  // namespace strumwise::platform
