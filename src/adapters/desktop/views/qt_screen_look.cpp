#include "adapters/desktop/views/qt_screen_look.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QLabel>
#include <QStyle>

#include "adapters/desktop/views/qt_image_view_widget.h"
#include "adapters/desktop/views/qt_meter_widgets.h"
#include "platform/screen_look_name.h"

namespace strumwise::platform::desktop {
namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("MainScreen", text);
}

// The views that show a match, dimmed together when it goes stale.
constexpr const char* kMatchPictures[] = {"LEDDisplay", "LEDDisplay128", "tunedString",
                                          "tunedString5", "tunedStringiPad"};
constexpr const char* kLamps[] = {"LEDDisplay", "LEDDisplay128"};

}  // namespace

QString lampName(ScreenLook look) {
    switch (look) {
        case ScreenLook::Silence:
            return translated("Lamp: waiting for a string");
        case ScreenLook::Measuring:
            return translated("Lamp: not in tune");
        case ScreenLook::InTune:
            return translated("Lamp: in tune");
        case ScreenLook::Stale:
            return translated("Lamp: no longer in tune");
    }
    return {};
}

void QtScreenLook::show(ScreenLook look) {
    if (root_ == nullptr) {
        return;
    }
    const bool stale = look == ScreenLook::Stale;
    for (const char* name : kMatchPictures) {
        if (auto* view = root_->findChild<ImageViewWidget*>(QLatin1String(name))) {
            view->setDimmed(stale);
        }
    }
    for (const char* name : kLamps) {
        if (auto* lamp = root_->findChild<ImageViewWidget*>(QLatin1String(name))) {
            lamp->setAccessibleName(lampName(look));
        }
    }
    // The style sheet greys the note by this property; a changed property needs a new polish.
    if (auto* note = root_->findChild<QLabel*>(QStringLiteral("noteDisplay"))) {
        const std::string_view name = screenLookName(look);
        note->setProperty("look", QLatin1String(name.data(), static_cast<qsizetype>(name.size())));
        note->style()->unpolish(note);
        note->style()->polish(note);
    }
    // Our widgets carry no meta-object of their own, so a cast by meta-object would take any.
    for (QWidget* widget : root_->findChildren<QWidget*>()) {
        if (auto* meter = dynamic_cast<TuningMeterWidget*>(widget)) {
            meter->setLook(look);
        }
    }
}

void QtScreenLook::announce(ScreenLook look, const TuningMeterReading& reading) {
    if (root_ == nullptr) {
        return;
    }
    const QString spoken = spokenReading(reading);
    for (const char* name : kLamps) {
        auto* lamp = root_->findChild<ImageViewWidget*>(QLatin1String(name));
        if (lamp == nullptr || lamp->size().isEmpty()) {
            continue;
        }
        lamp->setAccessibleName(lampName(look));
        lamp->setAccessibleDescription(spoken);
        QAccessibleEvent alert(lamp, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

}  // namespace strumwise::platform::desktop
