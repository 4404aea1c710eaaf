#include "adapters/desktop/views/qt_string_lock.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QShortcut>
#include <QStyle>

#include "adapters/desktop/views/qt_storyboard.h"
#include "view/action_names.h"

namespace strumwise::platform::desktop {
namespace {

constexpr const char* kLockStringProperty = "lockString";
constexpr const char* kLockedProperty = "locked";
// A caption's own text ("3rd"), kept while it reads "Locked".
constexpr const char* kOwnTextProperty = "ownText";

QString translated(const char* text) {
    return QCoreApplication::translate("MainScreen", text);
}

bool isCaption(const QLabel& label) {
    return label.property("role").toString() == QStringLiteral("caption");
}

// A focused note is pressed as a focused button is: Space is the stop key everywhere.
bool presses(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

QtStringLock::QtStringLock(QWidget& window, QtStoryboard& layout)
    : QObject(&window), layout_(layout) {
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (stringOf(label) == 0) {
            continue;
        }
        labels_.push_back(label);
        label->installEventFilter(this);
        label->setCursor(Qt::PointingHandCursor);
        if (isCaption(*label)) {
            label->setProperty(kOwnTextProperty, label->text());
        } else {
            // The note is the control the keyboard reaches; its caption is the same touch.
            label->setFocusPolicy(Qt::TabFocus);
        }
    }
    for (std::size_t i = 0; i < view::kLockStringActions.size(); ++i) {
        auto* shortcut =
            new QShortcut(QKeySequence(Qt::SHIFT | (Qt::Key_1 + static_cast<int>(i))), &window);
        const std::string_view action = view::kLockStringActions[i];
        QObject::connect(shortcut, &QShortcut::activated, this,
                         [this, action] { layout_.sendAction(action); });
    }
    show(0);
}

int QtStringLock::stringOf(const QObject* label) {
    const QVariant string = label != nullptr ? label->property(kLockStringProperty) : QVariant();
    return string.isValid() ? string.toInt() : 0;
}

void QtStringLock::show(int lockedString) {
    locked_ = lockedString;
    for (QLabel* label : labels_) {
        const int string = stringOf(label);
        const bool locked = string == lockedString;
        if (isCaption(*label)) {
            label->setText(locked ? translated("Locked")
                                  : label->property(kOwnTextProperty).toString());
        } else {
            label->setAccessibleDescription(
                locked ? translated("Locked: every note is read against this string. Press to "
                                    "find strings by ear again.")
                       : translated("Press to read every note against this string (Shift+%1)")
                             .arg(string));
        }
        if (label->property(kLockedProperty).toBool() != locked) {
            label->setProperty(kLockedProperty, locked);
            label->style()->unpolish(label);
            label->style()->polish(label);
        }
    }
}

bool QtStringLock::eventFilter(QObject* watched, QEvent* event) {
    const int string = stringOf(watched);
    const auto send = [this, string] {
        layout_.sendAction(view::kLockStringActions[static_cast<std::size_t>(string - 1)]);
    };
    switch (event->type()) {
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            auto* label = static_cast<QWidget*>(watched);
            if (mouse->button() == Qt::LeftButton &&
                label->rect().contains(mouse->position().toPoint())) {
                send();
                return true;
            }
            break;
        }
        case QEvent::ShortcutOverride:
            // Return presses the focused note rather than the window's focused-button key.
            if (presses(static_cast<QKeyEvent*>(event)->key())) {
                event->accept();
                return true;
            }
            break;
        case QEvent::KeyPress:
            if (presses(static_cast<QKeyEvent*>(event)->key())) {
                send();
                return true;
            }
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace strumwise::platform::desktop
