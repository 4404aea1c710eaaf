#pragma once

#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "adapters/desktop/views/qt_reading_history.h"
#include "adapters/desktop/views/qt_screen_look.h"
#include "adapters/desktop/views/qt_views.h"
#include "platform/storyboard.h"

namespace strumwise::platform::desktop {

// A main-screen layout loaded from a .ui resource. Outlets are found by object name and kind:
// labels are QLabel, image views are the "ImageView" widget, buttons are QPushButton, the meters
// are the "TuningMeter" and "LevelMeter" widgets, the picture of the meter's last seconds the
// "ReadingHistory" widget. A button
// sends the action named by its dynamic property "action" when it is clicked.
class QtStoryboard final : public Storyboard {
  public:
    static constexpr const char* kActionProperty = "action";
    // An image view's picture before anything is written to it, by resource name.
    static constexpr const char* kPictureProperty = "picture";

    // The button under `root` that sends `action`, or nullptr when there is none.
    static QPushButton* buttonFor(QWidget& root, std::string_view action);

    // Takes ownership of `root` until a window adopts it.
    QtStoryboard(std::string name, QWidget* root);
    ~QtStoryboard() override;

    Label* label(std::string_view outlet) override;
    ImageView* imageView(std::string_view outlet) override;
    Button* button(std::string_view outlet) override;
    TuningMeter* tuningMeter(std::string_view outlet) override;
    LevelMeter* levelMeter(std::string_view outlet) override;
    ReadingHistoryView* readingHistory(std::string_view outlet) override;
    // The look of the whole layout, under the outlet name "screenLook".
    ScreenLookView* screenLook(std::string_view outlet) override;
    void setActionHandler(std::function<void(std::string_view action)> handler) override;
    // Runs after the handler for every action a button sent, so that the desktop can show what
    // the action did (the playing fork button).
    void setActionObserver(std::function<void(std::string_view action)> observer) {
        observer_ = std::move(observer);
    }

    // Sends an action that no button of the layout carries (a touch on a string's caption), as
    // a button sends its own.
    void sendAction(std::string_view action);

    const std::string& name() const { return name_; }
    QWidget* rootWidget() const { return root_; }

  private:
    template <typename Adapter, typename Widget>
    Adapter* adapterFor(std::map<std::string, std::unique_ptr<Adapter>, std::less<>>& adapters,
                        std::string_view outlet);

    std::string name_;
    QPointer<QWidget> root_;
    std::function<void(std::string_view)> handler_;
    std::function<void(std::string_view)> observer_;
    std::map<std::string, std::unique_ptr<QtLabel>, std::less<>> labels_;
    std::map<std::string, std::unique_ptr<QtImageView>, std::less<>> imageViews_;
    std::map<std::string, std::unique_ptr<QtButton>, std::less<>> buttons_;
    std::map<std::string, std::unique_ptr<QtTuningMeter>, std::less<>> tuningMeters_;
    std::map<std::string, std::unique_ptr<QtLevelMeter>, std::less<>> levelMeters_;
    std::map<std::string, std::unique_ptr<QtReadingHistory>, std::less<>> readingHistories_;
    std::unique_ptr<QtScreenLook> screenLook_;
};

// Reads a layout resource; nullptr (and `error` filled) when it is missing or malformed.
std::unique_ptr<QtStoryboard> loadStoryboardResource(std::string_view name, std::string* error);

}  // namespace strumwise::platform::desktop
