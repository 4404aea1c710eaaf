#pragma once

#include <QPointer>
#include <QWidget>

namespace strumwise::platform::desktop {

// A ring around whichever control of the window has the keyboard focus, the same on every kind
// of control (buttons, drop-downs, the slider, and the current tab of a focused tab bar): a light
// band with a dark edge on each side, so it shows on the dark stage and on a lit button alike.
// It follows the control as the window scales or a page scrolls, and lets every click through.
// Main thread only; the window owns it.
class QtFocusRing final : public QWidget {
  public:
    // The light band's width, in pixels, and the gap between it and the control.
    static constexpr int kBandWidth = 3;
    static constexpr int kGap = 2;

    explicit QtFocusRing(QWidget& window);

    // The control the ring is drawn around, nullptr when the focus is elsewhere.
    QWidget* target() const { return target_; }
    // The rectangle the ring encloses, in the window's coordinates.
    QRect ringedRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void follow(QWidget* focused);
    void place();

    QWidget& window_;
    QPointer<QWidget> target_;
    QList<QPointer<QWidget>> watched_;
    QMetaObject::Connection tabMoves_;
};

}  // namespace strumwise::platform::desktop
