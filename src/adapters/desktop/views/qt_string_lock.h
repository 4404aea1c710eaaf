#pragma once

#include <QObject>
#include <QWidget>
#include <vector>

class QLabel;

namespace strumwise::platform::desktop {

class QtStoryboard;

// The string lock on the main screen. A touch or click on a string's caption or note under the
// chart (the labels a layout marks with the "lockString" property), Return on a focused note, or
// Shift and the string's number sends that string's lock action, which locks the tuner to the
// string or, on the string already locked, unlocks it. The locked string's caption reads
// "Locked" and both its labels are marked (the "locked" property the style sheet shows), and
// screen readers hear the state with the note. Main thread only; lives as long as `window`.
class QtStringLock final : public QObject {
  public:
    QtStringLock(QWidget& window, QtStoryboard& layout);

    // Shows string `lockedString` locked (1..5), or none (0).
    void show(int lockedString);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    static int stringOf(const QObject* label);

    QtStoryboard& layout_;
    std::vector<QLabel*> labels_;
    int locked_ = 0;
};

}  // namespace strumwise::platform::desktop
