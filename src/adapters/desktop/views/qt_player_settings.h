#pragma once

#include <QFrame>
#include <functional>
#include <optional>
#include <string>

#include "platform/bundle.h"
#include "tuner/player_settings_editor.h"
#include "tuner/reference_from_note.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace strumwise::platform::desktop {

// What the settings panel works on: the editor of the player's settings, what the tuner heard
// last (for "take it from a note") and the bundle that words the tunings and the messages.
struct PlayerSettingsControls {
    tuner::PlayerSettingsEditor& editor;
    std::function<tuner::ReferenceFromNote()> heardReference;
    const platform::Bundle& bundle;
};

// The player's settings in the window: the reference pitch (a spin box, and "take it from a
// note", which asks before it keeps what it heard), the capo, the fifth string's own fret, the
// string read against, the library's tunings the arrows show and the player's own tunings,
// made, renamed, changed and removed. Every control is reached by the keyboard and named for
// screen readers; what a refused change was refused for is said under the control. The panel
// shows the settings as they are after every change, wherever it came from. Main thread only.
class QtPlayerSettingsPanel final : public QFrame {
  public:
    QtPlayerSettingsPanel(PlayerSettingsControls controls, QWidget* parent);

    // Adds the panel to a layout's settings area (a phone's settings page, which then scrolls,
    // or the place under a pad's about texts); nullptr when the layout has none.
    static QtPlayerSettingsPanel* addToSettingsArea(QWidget& root, PlayerSettingsControls controls);

    // Shows the settings as the editor has them now.
    void showSettings();

  private:
    QWidget* referenceRow();
    QWidget* stringsRow();
    QWidget* customEditor();
    void takeReferenceFromNote();
    void showProposal(std::optional<int> tenths);
    void fillLibrary();
    void fillCustom();
    const tuner::Tuning* selectedCustomTuning();
    void editSelected();
    void deleteSelected();
    void saveCustom();
    void clearForm();
    void say(QLabel& label, const QString& text);

    PlayerSettingsControls controls_;
    QDoubleSpinBox* reference_ = nullptr;
    QLabel* referenceMessage_ = nullptr;
    QPushButton* keepReference_ = nullptr;
    QPushButton* dropReference_ = nullptr;
    std::optional<int> proposed_;
    QComboBox* capo_ = nullptr;
    QComboBox* fifth_ = nullptr;
    QComboBox* lock_ = nullptr;
    QListWidget* library_ = nullptr;
    QListWidget* custom_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* notes_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* customMessage_ = nullptr;
    // The name of the tuning of the player's own being changed; empty: the form makes a new one.
    std::string editing_;
};

}  // namespace strumwise::platform::desktop
