#pragma once

#include <QPointer>
#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "adapters/desktop/system/screen_profile.h"
#include "adapters/desktop/views/qt_storyboard.h"
#include "platform/log.h"
#include "platform/storyboard.h"

namespace strumwise::platform::desktop {

// The application's windows on the desktop: layouts from the .ui resources, each shown in a
// top-level window that opens at the size of the screen profile (scaled down to fit a smaller
// desktop) and scales its page with the window. Main thread only.
class QtWindows final : public Windows {
  public:
    QtWindows(ScreenProfile profile, std::string windowTitle, Log& log);
    ~QtWindows() override;

    Storyboard* loadStoryboard(std::string_view name) override;
    void installWindow(Storyboard& storyboard) override;

    // Whether a window has been installed; the desktop explains itself when none has.
    bool hasWindow() const { return !windows_.empty(); }
    // The window showing the installed layout, or nullptr; the explaining window is not one.
    QWidget* mainWindow() const { return mainWindow_; }
    // Runs when a layout's window has been shown.
    void setWindowInstalledHandler(std::function<void(QWidget& window)> handler) {
        windowInstalled_ = std::move(handler);
    }
    // The key window (the last installed), or nullptr.
    QWidget* keyWindow() const;
    // The storyboard shown in the key window, or nullptr.
    QtStoryboard* keyStoryboard() const { return keyStoryboard_; }

    // A small window saying that this screen size has no layout, listing the --screen values
    // that have one.
    void showNoLayoutWindow();

  private:
    ScreenProfile profile_;
    std::string windowTitle_;
    Log& log_;
    std::vector<std::unique_ptr<QtStoryboard>> storyboards_;
    std::vector<std::unique_ptr<QWidget>> windows_;
    QtStoryboard* keyStoryboard_ = nullptr;
    QWidget* mainWindow_ = nullptr;
    std::function<void(QWidget&)> windowInstalled_;
};

// The text of the no-layout window, one paragraph per line.
std::string noLayoutMessage(const ScreenProfile& profile);

}  // namespace strumwise::platform::desktop
