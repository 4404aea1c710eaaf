#include "adapters/desktop/views/qt_keyboard.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>

#include "adapters/desktop/views/qt_storyboard.h"
#include "view/action_names.h"

namespace strumwise::platform::desktop {
namespace {

void addInReadingOrder(QWidget* widget, QList<QWidget*>& order);

// The widgets of a layout in its own order: rows top to bottom, each left to right.
void addInReadingOrder(QLayout* layout, QList<QWidget*>& order) {
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() != nullptr) {
            addInReadingOrder(item->widget(), order);
        } else if (item->layout() != nullptr) {
            addInReadingOrder(item->layout(), order);
        }
    }
}

// Layouts, not the widgets' family tree, give the order: showing a page raises it above its
// siblings, which reorders them.
void addInReadingOrder(QWidget* widget, QList<QWidget*>& order) {
    if (auto* pages = qobject_cast<QTabWidget*>(widget)) {
        for (int i = 0; i < pages->count(); ++i) {
            addInReadingOrder(pages->widget(i), order);
        }
        // The tabs sit below their pages.
        if (auto* tabs = pages->findChild<QTabBar*>(QString(), Qt::FindDirectChildrenOnly)) {
            order.push_back(tabs);
        }
        return;
    }
    const bool control =
        (widget->focusPolicy() & Qt::TabFocus) != 0 && widget->focusProxy() == nullptr;
    if (control) {
        order.push_back(widget);
    }
    if (widget->layout() != nullptr) {
        addInReadingOrder(widget->layout(), order);
    } else if (!control) {
        // A container that places its children itself (the window's scaled page).
        for (QWidget* child :
             widget->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!child->isWindow()) {
                addInReadingOrder(child, order);
            }
        }
    }
}

}  // namespace

QtKeyboard::QtKeyboard(QWidget& window) : QObject(&window) {
    addShortcut(window, QKeySequence(Qt::Key_Left), view::kPreviousTuningAction.data());
    addShortcut(window, QKeySequence(Qt::Key_Right), view::kNextTuningAction.data());
    for (std::size_t i = 0; i < view::kForkActions.size(); ++i) {
        addShortcut(window, QKeySequence(static_cast<int>(Qt::Key_1 + i)),
                    view::kForkActions[i].data());
    }
    addShortcut(window, QKeySequence(Qt::Key_Space), view::kStopAction.data());
    addShortcut(window, QKeySequence(Qt::Key_Escape), view::kStopAction.data());
    // A button pressed from the keyboard: Space is the stop key here, so Return takes its place.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* shortcut = new QShortcut(QKeySequence(key), &window);
        QObject::connect(shortcut, &QShortcut::activated, this, [&window] {
            auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
            if (button != nullptr && window.isAncestorOf(button)) {
                button->click();
            }
        });
    }
    for (QAbstractSlider* slider : window.findChildren<QAbstractSlider*>()) {
        slider->installEventFilter(this);
    }
    for (QTabBar* tabs : window.findChildren<QTabBar*>()) {
        tabs->installEventFilter(this);
    }
    for (QComboBox* choice : window.findChildren<QComboBox*>()) {
        choice->installEventFilter(this);
    }
    for (QWidget* typed : window.findChildren<QWidget*>()) {
        if (takesTyping(typed)) {
            typed->installEventFilter(this);
        }
    }
    const QList<QWidget*> order = readingOrder(window);
    for (qsizetype i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
    if (order.size() > 1) {
        QWidget::setTabOrder(order.back(), order.front());  // and round again
    }
    // The keyboard starts at the first control, not wherever the window's activation left it.
    for (QWidget* widget : order) {
        if (widget->isVisibleTo(&window) && widget->isEnabled()) {
            widget->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

void QtKeyboard::addShortcut(QWidget& window, const QKeySequence& keys, const char* action) {
    QPushButton* button = QtStoryboard::buttonFor(window, action);
    if (button == nullptr) {
        return;
    }
    auto* shortcut = new QShortcut(keys, &window);
    QObject::connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
}

bool QtKeyboard::eventFilter(QObject* watched, QEvent* event) {
    const bool override = event->type() == QEvent::ShortcutOverride;
    const bool press = event->type() == QEvent::KeyPress;
    if (!override && !press) {
        return QObject::eventFilter(watched, event);
    }
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    // A text field, a spin box or a list takes every key typed into it (digits, Space, the
    // arrows, Return) rather than the window's shortcuts; with Ctrl or Alt held the shortcuts
    // still work.
    if (override && takesTyping(qobject_cast<QWidget*>(watched)) &&
        (keyEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0) {
        event->accept();
        return true;
    }
    const int key = keyEvent->key();
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right;
    const bool opens = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    auto* choice = qobject_cast<QComboBox*>(watched);
    // Taking the override keeps the window's shortcuts from stealing a focused control's own
    // keys: a slider's and a tab bar's arrows, and the keys that open a drop-down.
    if (override && (choice != nullptr ? opens : arrow)) {
        event->accept();
        return true;
    }
    // A drop-down opens on Space by itself; Return and Enter open it here, as they press a
    // focused button.
    if (press && choice != nullptr && opens && !choice->view()->isVisible()) {
        choice->showPopup();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

bool QtKeyboard::takesTyping(const QWidget* widget) {
    return qobject_cast<const QLineEdit*>(widget) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(widget) != nullptr ||
           qobject_cast<const QAbstractItemView*>(widget) != nullptr;
}

QList<QWidget*> QtKeyboard::readingOrder(QWidget& window) {
    QList<QWidget*> order;
    addInReadingOrder(&window, order);
    return order;
}

}  // namespace strumwise::platform::desktop
