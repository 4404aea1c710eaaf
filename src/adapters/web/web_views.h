#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/storyboard.h"
#include "platform/view_toolkit.h"

namespace strumwise::platform::web {

// Images are the site's PNG files, by name; the page loads them as the views show them.
class WebImages final : public Images {
  public:
    ImageRef imageNamed(std::string_view name) const override;
};

// A layout of the page (generated from the same .ui file as the desktop's), its views found by
// outlet name in the DOM. The page inserts the layout, hidden, when it is loaded, so the
// controller can write to its views before the window shows it.
class WebStoryboard final : public Storyboard {
  public:
    explicit WebStoryboard(std::string name);
    ~WebStoryboard() override;
    WebStoryboard(const WebStoryboard&) = delete;
    WebStoryboard& operator=(const WebStoryboard&) = delete;

    Label* label(std::string_view outlet) override;
    ImageView* imageView(std::string_view outlet) override;
    Button* button(std::string_view outlet) override;
    TuningMeter* tuningMeter(std::string_view outlet) override;
    LevelMeter* levelMeter(std::string_view outlet) override;
    ReadingHistoryView* readingHistory(std::string_view outlet) override;
    ScreenLookView* screenLook(std::string_view outlet) override;
    void setActionHandler(std::function<void(std::string_view action)> handler) override;

    // A control of the page sent `action`.
    static void deliverAction(std::string_view action);

  private:
    class View;
    class Look;
    View* view(std::string_view outlet, std::string_view kind);

    std::string name_;
    std::map<std::string, std::unique_ptr<View>, std::less<>> views_;
    std::unique_ptr<Look> look_;
    std::function<void(std::string_view)> actionHandler_;
};

class WebWindows final : public Windows {
  public:
    Storyboard* loadStoryboard(std::string_view name) override;
    void installWindow(Storyboard& storyboard) override;

  private:
    std::map<std::string, std::unique_ptr<WebStoryboard>, std::less<>> loaded_;
};

}  // namespace strumwise::platform::web
