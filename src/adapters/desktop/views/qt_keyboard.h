#pragma once

#include <QObject>
#include <QWidget>

namespace strumwise::platform::desktop {

// The main screen from the keyboard. Left and Right browse the tunings, 1 to 5 play the forks of
// strings 1 to 5, Space and Escape stop the tone, Return and Enter press the focused button,
// and Tab walks the controls in reading order. Each key clicks the layout's own button, so a key
// does exactly what a click does. A focused slider or tab bar keeps its own arrow keys (the tab
// bar's change the page), Space, Return and Enter open a focused drop-down, and a focused text
// field, spin box or list takes whatever is typed into it. Shift and 1 to 5 lock the tuner to
// a string (see QtStringLock).
// Main thread only; lives as long as the window it was made for.
class QtKeyboard final : public QObject {
  public:
    // `window` shows the layout whose buttons carry their actions in the "action" property.
    explicit QtKeyboard(QWidget& window);

    // Where Tab goes, in order: every control of the window as its layouts list them (top to
    // bottom, left to right), a page's tabs after its pages, since they sit at the bottom.
    static QList<QWidget*> readingOrder(QWidget& window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // A control that takes the keys typed into it: text fields, spin boxes and lists.
    static bool takesTyping(const QWidget* widget);
    void addShortcut(QWidget& window, const QKeySequence& keys, const char* action);
};

}  // namespace strumwise::platform::desktop
