#include "adapters/desktop/views/qt_player_settings.h"

#include <QAccessible>
#include <QBoxLayout>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <cmath>

#include "adapters/desktop/views/qt_scrolling_area.h"
#include "tuner/settings_messages.h"
#include "tuner/tuning_names.h"
#include "tuner/tunings_library.h"

namespace strumwise::platform::desktop {
namespace {

constexpr int kNameRole = Qt::UserRole;

// The layouts' texts are translated in this context, and so are the panel's.
QString translated(const char* text) {
    return QCoreApplication::translate("MainScreen", text);
}

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setProperty("role", QStringLiteral("about"));
    return label;
}

// A sentence that explains the control above it.
QLabel* help(const QString& text, QWidget* parent) {
    auto* label = caption(text, parent);
    label->setWordWrap(true);
    label->setProperty("role", QStringLiteral("caption"));
    return label;
}

// Controls take focus from the keyboard only, as the layouts' buttons do, so that a click
// leaves Space and the arrows to the window's keys.
template <typename Control>
Control* named(Control* control, const char* objectName, const QString& name, const QString& tip) {
    control->setObjectName(QString::fromLatin1(objectName));
    control->setAccessibleName(name);
    control->setToolTip(tip);
    return control;
}

QPushButton* button(const char* objectName, const QString& title, const QString& tip,
                    QWidget* parent) {
    auto* pressed = named(new QPushButton(title, parent), objectName, title, tip);
    pressed->setFocusPolicy(Qt::TabFocus);
    pressed->setCursor(Qt::PointingHandCursor);
    return pressed;
}

// The page scrolls under the wheel: a drop-down or a spin box the pointer passes over keeps its
// value unless it has the focus, so scrolling never changes a setting by accident.
class WheelOnlyWhenFocused final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* control = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Wheel && control != nullptr && !control->hasFocus()) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

QString ordinalString(int string) {
    static const char* const kStrings[] = {QT_TRANSLATE_NOOP("MainScreen", "1st string"),
                                           QT_TRANSLATE_NOOP("MainScreen", "2nd string"),
                                           QT_TRANSLATE_NOOP("MainScreen", "3rd string"),
                                           QT_TRANSLATE_NOOP("MainScreen", "4th string"),
                                           QT_TRANSLATE_NOOP("MainScreen", "5th string")};
    return translated(kStrings[string - 1]);
}

}  // namespace

QtPlayerSettingsPanel::QtPlayerSettingsPanel(PlayerSettingsControls controls, QWidget* parent)
    : QFrame(parent), controls_(std::move(controls)) {
    setObjectName(QStringLiteral("playerSettingsPanel"));
    setProperty("role", QStringLiteral("panel"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(referenceRow());
    column->addWidget(stringsRow());

    column->addWidget(caption(translated("Tunings the arrows show"), this));
    library_ =
        named(new QListWidget(this), "browsedTuningsList", translated("Tunings the arrows show"),
              translated("Tick the tunings the arrows step through (Space ticks one)"));
    library_->setFocusPolicy(Qt::TabFocus);
    library_->setMinimumHeight(library_->fontMetrics().height() * 6);
    QObject::connect(library_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const std::string name = item->data(kNameRole).toString().toStdString();
        if (!controls_.editor.setBrowsed(name, item->checkState() == Qt::Checked)) {
            // The arrows always have a tuning to show.
            showSettings();
            say(*customMessage_, translated("The arrows need at least one tuning to show."));
        }
    });
    column->addWidget(library_);
    column->addWidget(customEditor());
    auto* wheel = new WheelOnlyWhenFocused(this);
    for (QWidget* control : std::initializer_list<QWidget*>{reference_, capo_, fifth_, lock_}) {
        control->setFocusPolicy(Qt::StrongFocus);
        control->installEventFilter(wheel);
    }
    // A long choice ("Its fret 7 (the neck's 12th)") must not widen a pad's narrow about panel.
    for (QComboBox* choice : {capo_, fifth_, lock_}) {
        choice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        choice->setMinimumContentsLength(8);
    }
    showSettings();
}

QWidget* QtPlayerSettingsPanel::referenceRow() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(caption(translated("Reference pitch (A4)"), box), 0, 0, 1, 3);
    reference_ = named(new QDoubleSpinBox(box), "referencePitchSpin",
                       translated("Reference pitch, A4 in hertz"),
                       translated("The pitch of A4 every string is tuned from, 415.0 to 466.0 Hz"));
    reference_->setRange(tuner::PlayerSettings::kLowestReference / 10.0,
                         tuner::PlayerSettings::kHighestReference / 10.0);
    reference_->setDecimals(1);
    reference_->setSingleStep(0.1);
    reference_->setSuffix(QStringLiteral(" Hz"));
    reference_->setFocusPolicy(Qt::StrongFocus);
    // A value typed digit by digit is taken when it is finished, not at every digit.
    reference_->setKeyboardTracking(false);
    QObject::connect(reference_, &QDoubleSpinBox::valueChanged, this, [this](double hertz) {
        controls_.editor.setReference(static_cast<int>(std::lround(hertz * 10.0)));
    });
    // One control to a row, so that a pad's narrow about panel has room for them.
    grid->addWidget(reference_, 1, 0, 1, 3);
    auto* take = button("takeReferenceButton", translated("Take it from a note"),
                        translated("Play one note and let it ring: A4 is set so that the note is "
                                   "exactly in tune"),
                        box);
    QObject::connect(take, &QPushButton::clicked, this, [this] { takeReferenceFromNote(); });
    grid->addWidget(take, 2, 0, 1, 3);
    referenceMessage_ = help(QString(), box);
    referenceMessage_->setObjectName(QStringLiteral("referenceMessage"));
    grid->addWidget(referenceMessage_, 3, 0, 1, 3);
    keepReference_ = button("keepReferenceButton", translated("Keep"),
                            translated("Tune to this reference from now on"), box);
    dropReference_ = button("dropReferenceButton", translated("Cancel"),
                            translated("Keep the reference as it was"), box);
    QObject::connect(keepReference_, &QPushButton::clicked, this, [this] {
        if (proposed_) {
            controls_.editor.setReference(*proposed_);
        }
        showProposal(std::nullopt);
    });
    QObject::connect(dropReference_, &QPushButton::clicked, this,
                     [this] { showProposal(std::nullopt); });
    grid->addWidget(keepReference_, 4, 1);
    grid->addWidget(dropReference_, 4, 2);
    grid->setColumnStretch(0, 1);
    showProposal(std::nullopt);
    return box;
}

QWidget* QtPlayerSettingsPanel::stringsRow() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnStretch(1, 1);

    capo_ = named(new QComboBox(box), "capoChoice", translated("Capo on strings 1 to 4"),
                  translated("The fret a capo stops strings 1 to 4 at"));
    capo_->addItem(translated("No capo"));
    for (int fret = 1; fret <= tuner::PlayerSettings::kHighestFret; ++fret) {
        capo_->addItem(translated("Fret %1").arg(fret));
    }
    QObject::connect(capo_, &QComboBox::activated, this,
                     [this](int fret) { controls_.editor.setCapoFret(fret); });
    grid->addWidget(caption(translated("Capo"), box), 0, 0);
    grid->addWidget(capo_, 0, 1);

    fifth_ = named(new QComboBox(box), "fifthStringChoice", translated("Fifth string's own fret"),
                   translated("Where a spike or a fifth-string capo stops the fifth string"));
    fifth_->addItem(translated("Open"));
    for (int fret = 1; fret <= tuner::PlayerSettings::kHighestFret; ++fret) {
        fifth_->addItem(translated("Its fret %1 (the neck's %2th)")
                            .arg(fret)
                            .arg(tuner::neckFretOfFifthString(fret)));
    }
    QObject::connect(fifth_, &QComboBox::activated, this,
                     [this](int fret) { controls_.editor.setFifthStringFret(fret); });
    grid->addWidget(caption(translated("Fifth string"), box), 1, 0);
    grid->addWidget(fifth_, 1, 1);
    grid->addWidget(help(translated("The fifth string's frets are counted from its own nut, at "
                                    "the neck's 5th fret: its fret 2 lies at the neck's 7th, "
                                    "where a spike raises open G's drone to A. The title shows "
                                    "the neck's fret: \"5th at 7\"."),
                         box),
                    2, 0, 1, 2);

    lock_ = named(new QComboBox(box), "lockChoice", translated("String read against"),
                  translated("Read every note against one string, or find the string by ear"));
    lock_->addItem(translated("Found by ear"));
    for (int string = 1; string <= tuner::kStringCount; ++string) {
        lock_->addItem(ordinalString(string));
    }
    QObject::connect(lock_, &QComboBox::activated, this,
                     [this](int string) { controls_.editor.setLockedString(string); });
    grid->addWidget(caption(translated("String"), box), 3, 0);
    grid->addWidget(lock_, 3, 1);
    grid->addWidget(help(translated("Or touch a string's name under the chart, or press Shift "
                                    "and its number; touch it again to find strings by ear."),
                         box),
                    4, 0, 1, 2);
    return box;
}

QWidget* QtPlayerSettingsPanel::customEditor() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnStretch(1, 1);
    grid->addWidget(caption(translated("Your tunings"), box), 0, 0, 1, 4);
    custom_ = named(new QListWidget(box), "customTuningsList", translated("Your tunings"),
                    translated("Your own tunings; ticked ones are shown by the arrows"));
    custom_->setFocusPolicy(Qt::TabFocus);
    // Room for a few tunings; more scroll inside the list.
    custom_->setMinimumHeight(custom_->fontMetrics().height() * 3);
    custom_->setMaximumHeight(custom_->fontMetrics().height() * 7);
    QObject::connect(custom_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const std::string name = item->data(kNameRole).toString().toStdString();
        if (!controls_.editor.setBrowsed(name, item->checkState() == Qt::Checked)) {
            showSettings();
            say(*customMessage_, translated("The arrows need at least one tuning to show."));
        }
    });
    grid->addWidget(custom_, 1, 0, 1, 4);
    auto* edit = button("editTuningButton", translated("Edit"),
                        translated("Change the chosen tuning's name or notes"), box);
    auto* remove = button("deleteTuningButton", translated("Delete"),
                          translated("Delete the chosen tuning"), box);
    QObject::connect(edit, &QPushButton::clicked, this, [this] { editSelected(); });
    QObject::connect(remove, &QPushButton::clicked, this, [this] { deleteSelected(); });
    grid->addWidget(edit, 2, 2);
    grid->addWidget(remove, 2, 3);

    name_ = named(new QLineEdit(box), "tuningNameEdit", translated("Tuning name"),
                  translated("The name the browser shows"));
    name_->setPlaceholderText(translated("My tuning"));
    notes_ = named(new QLineEdit(box), "tuningNotesEdit", translated("Tuning notes"),
                   translated("Five notes, the fifth string first: gDGBD or G4 D3 G3 B3 D4"));
    notes_->setPlaceholderText(QStringLiteral("gDGBD / G4 D3 G3 B3 D4"));
    for (QLineEdit* field : {name_, notes_}) {
        QObject::connect(field, &QLineEdit::returnPressed, this, [this] { saveCustom(); });
    }
    grid->addWidget(caption(translated("Name"), box), 3, 0);
    grid->addWidget(name_, 3, 1, 1, 3);
    grid->addWidget(caption(translated("Notes"), box), 4, 0);
    grid->addWidget(notes_, 4, 1, 1, 3);
    save_ = button("saveTuningButton", translated("Add tuning"),
                   translated("Add the tuning, or save the changes to it"), box);
    cancel_ = button("cancelTuningButton", translated("Cancel"),
                     translated("Leave the tuning as it was"), box);
    QObject::connect(save_, &QPushButton::clicked, this, [this] { saveCustom(); });
    QObject::connect(cancel_, &QPushButton::clicked, this, [this] { clearForm(); });
    grid->addWidget(save_, 5, 2);
    grid->addWidget(cancel_, 5, 3);
    customMessage_ = help(QString(), box);
    customMessage_->setObjectName(QStringLiteral("customTuningMessage"));
    grid->addWidget(customMessage_, 6, 0, 1, 4);
    clearForm();
    return box;
}

void QtPlayerSettingsPanel::showSettings() {
    const tuner::PlayerSettings& settings = controls_.editor.settings();
    {
        const QSignalBlocker blocked(reference_);
        reference_->setValue(settings.referenceHertz());
    }
    capo_->setCurrentIndex(settings.capoFret);
    fifth_->setCurrentIndex(settings.fifthStringFret);
    lock_->setCurrentIndex(settings.lockedString);
    fillLibrary();
    fillCustom();
}

void QtPlayerSettingsPanel::fillLibrary() {
    const QSignalBlocker blocked(library_);
    const tuner::PlayerSettings& settings = controls_.editor.settings();
    const int row = library_->currentRow();
    library_->clear();
    for (const tuner::Tuning& tuning : tuner::tuningLibrary()) {
        auto* item = new QListWidgetItem(
            fromStd(tuner::localizedTuningTitle(tuning, controls_.bundle)), library_);
        item->setData(kNameRole, fromStd(tuning.name));
        item->setToolTip(fromStd(tuner::tuningNotesText(tuning)));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(settings.browses(tuning.name) ? Qt::Checked : Qt::Unchecked);
    }
    library_->setCurrentRow(std::max(row, 0));
}

void QtPlayerSettingsPanel::fillCustom() {
    const QSignalBlocker blocked(custom_);
    const tuner::PlayerSettings& settings = controls_.editor.settings();
    const int row = custom_->currentRow();
    custom_->clear();
    for (const tuner::Tuning& tuning : settings.customTunings) {
        auto* item = new QListWidgetItem(fromStd(tuning.name) + QStringLiteral(" \u2014 ") +
                                             fromStd(tuner::tuningNotesText(tuning)),
                                         custom_);
        item->setData(kNameRole, fromStd(tuning.name));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(settings.browses(tuning.name) ? Qt::Checked : Qt::Unchecked);
    }
    custom_->setCurrentRow(std::min(row, custom_->count() - 1));
}

void QtPlayerSettingsPanel::takeReferenceFromNote() {
    const tuner::ReferenceFromNote heard = controls_.heardReference();
    if (heard.refusal) {
        showProposal(std::nullopt);
        say(*referenceMessage_, fromStd(tuner::referenceRefusalText(heard, controls_.bundle)));
        return;
    }
    showProposal(heard.tenths);
}

void QtPlayerSettingsPanel::showProposal(std::optional<int> tenths) {
    proposed_ = tenths;
    keepReference_->setVisible(tenths.has_value());
    dropReference_->setVisible(tenths.has_value());
    if (tenths) {
        say(*referenceMessage_, fromStd(tuner::referenceProposalText(*tenths, controls_.bundle)));
        keepReference_->setFocus(Qt::OtherFocusReason);
    } else {
        say(*referenceMessage_, QString());
    }
}

// The player's tuning chosen in the list; without one, says so and answers nothing.
const tuner::Tuning* QtPlayerSettingsPanel::selectedCustomTuning() {
    const QListWidgetItem* item = custom_->currentItem();
    const tuner::Tuning* tuning = item != nullptr
                                      ? controls_.editor.settings().customTuning(
                                            item->data(kNameRole).toString().toStdString())
                                      : nullptr;
    if (tuning == nullptr) {
        say(*customMessage_, translated("Choose one of your tunings first."));
    }
    return tuning;
}

void QtPlayerSettingsPanel::editSelected() {
    const tuner::Tuning* tuning = selectedCustomTuning();
    if (tuning == nullptr) {
        return;
    }
    editing_ = tuning->name;
    name_->setText(fromStd(tuning->name));
    notes_->setText(fromStd(tuner::tuningNotesText(*tuning)));
    save_->setText(translated("Save changes"));
    cancel_->setVisible(true);
    say(*customMessage_, QString());
    name_->setFocus(Qt::OtherFocusReason);
}

void QtPlayerSettingsPanel::deleteSelected() {
    const tuner::Tuning* tuning = selectedCustomTuning();
    if (tuning == nullptr) {
        return;
    }
    // The deleted tuning stays in the form, so that one press puts it back.
    const QString name = fromStd(tuning->name);
    const QString notes = fromStd(tuner::tuningNotesText(*tuning));
    controls_.editor.removeCustomTuning(tuning->name);
    clearForm();
    name_->setText(name);
    notes_->setText(notes);
    say(*customMessage_, translated("Deleted \u201c%1\u201d: Add tuning puts it back.").arg(name));
}

void QtPlayerSettingsPanel::saveCustom() {
    const std::string name = name_->text().toStdString();
    const std::string notes = notes_->text().toStdString();
    const std::optional<tuner::TuningProblem> problem =
        editing_.empty() ? controls_.editor.addCustomTuning(name, notes)
                         : controls_.editor.changeCustomTuning(editing_, name, notes);
    if (problem) {
        say(*customMessage_, fromStd(tuner::tuningProblemMessage(*problem, controls_.bundle)));
        return;
    }
    const bool added = editing_.empty();
    clearForm();
    say(*customMessage_, added ? translated("Added: the arrows show it after the library's.")
                               : translated("Saved."));
}

void QtPlayerSettingsPanel::clearForm() {
    editing_.clear();
    name_->clear();
    notes_->clear();
    save_->setText(translated("Add tuning"));
    cancel_->setVisible(false);
    say(*customMessage_, QString());
}

void QtPlayerSettingsPanel::say(QLabel& label, const QString& text) {
    label.setText(text);
    // An empty message takes no room.
    label.setVisible(!text.isEmpty());
    label.setAccessibleName(text);
    if (!text.isEmpty()) {
        // Screen readers hear what a control's use came to without moving there.
        QAccessibleEvent event(&label, QAccessible::Alert);
        QAccessible::updateAccessibility(&event);
    }
}

QtPlayerSettingsPanel* QtPlayerSettingsPanel::addToSettingsArea(QWidget& root,
                                                                PlayerSettingsControls controls) {
    auto* area = root.findChild<QWidget*>(QStringLiteral("settingsArea"));
    auto* box = area != nullptr ? qobject_cast<QBoxLayout*>(area->layout()) : nullptr;
    if (box == nullptr) {
        return nullptr;
    }
    auto* panel = new QtPlayerSettingsPanel(std::move(controls), area);
    box->addWidget(panel);
    // A phone's settings page scrolls; a pad's about panel is made to scroll with its own
    // controls.
    if (QWidget* page = area->parentWidget();
        page != nullptr && page->objectName() == QStringLiteral("settingsPage")) {
        box->addStretch(1);
        scrollWhenTall(*page);
    }
    return panel;
}

}  // namespace strumwise::platform::desktop
