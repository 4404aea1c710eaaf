#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "adapters/headless/memory_views.h"
#include "platform/storyboard.h"

namespace strumwise::platform::headless {

// A main-screen layout held in memory: one plain view per outlet name, and actions delivered
// by press. Tests read the views' last state through the *State accessors.
class HeadlessStoryboard final : public Storyboard {
  public:
    explicit HeadlessStoryboard(std::string name);

    const std::string& name() const { return name_; }

    Label* label(std::string_view outlet) override;
    ImageView* imageView(std::string_view outlet) override;
    Button* button(std::string_view outlet) override;
    TuningMeter* tuningMeter(std::string_view outlet) override;
    LevelMeter* levelMeter(std::string_view outlet) override;
    ScreenLookView* screenLook(std::string_view outlet) override;
    void setActionHandler(std::function<void(std::string_view action)> handler) override;

    // Delivers `action` as if its control had been touched. Answers false when no handler is
    // installed yet (nothing happens then).
    bool press(std::string_view action);

    // The plain views; nullptr for a name that is not an outlet of that kind.
    const MemoryLabel* labelState(std::string_view outlet) const;
    const MemoryImageView* imageViewState(std::string_view outlet) const;
    const MemoryButton* buttonState(std::string_view outlet) const;
    const MemoryTuningMeter* tuningMeterState(std::string_view outlet) const;
    const MemoryScreenLook* screenLookState(std::string_view outlet) const;

  private:
    std::string name_;
    std::map<std::string, MemoryLabel, std::less<>> labels_;
    std::map<std::string, MemoryImageView, std::less<>> imageViews_;
    std::map<std::string, MemoryButton, std::less<>> buttons_;
    std::map<std::string, MemoryTuningMeter, std::less<>> tuningMeters_;
    std::map<std::string, MemoryLevelMeter, std::less<>> levelMeters_;
    std::map<std::string, MemoryScreenLook, std::less<>> screenLooks_;
    std::function<void(std::string_view)> actionHandler_;
};

// The headless windows: the layouts it was given by name, each loaded once and kept; the
// installed one is remembered.
class HeadlessWindows final : public Windows {
  public:
    // `layoutNames` are the layouts among the resources ("Main_iPhone6", ...); with none given,
    // every name loads.
    explicit HeadlessWindows(std::vector<std::string> layoutNames);

    Storyboard* loadStoryboard(std::string_view name) override;
    void installWindow(Storyboard& storyboard) override;

    // The layout loaded under that name, or nullptr when it has not been loaded.
    HeadlessStoryboard* loaded(std::string_view name);
    // The storyboard of the installed window, nullptr before installWindow.
    Storyboard* installed() const { return installed_; }

  private:
    std::vector<std::string> layoutNames_;
    std::map<std::string, std::unique_ptr<HeadlessStoryboard>, std::less<>> loaded_;
    Storyboard* installed_ = nullptr;
};

}  // namespace strumwise::platform::headless
