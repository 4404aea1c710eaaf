#pragma once

#include <QPointer>
#include <QSize>
#include <QWidget>

#include "adapters/desktop/views/qt_layout_scale.h"

namespace strumwise::platform::desktop {

// A page designed for one screen size, shown in a window of any size: the page is laid out at
// its design size times the largest factor that fits the window, the same across and down, and
// sits in the middle; the rest of the window is the page's darkest tone. The page keeps its
// widgets and their input, so buttons click and take focus as in the design. Main thread only.
class ScaledPage final : public QWidget {
  public:
    // Adopts `page`, which is laid out for `designSize`.
    ScaledPage(QWidget& page, QSize designSize);

    QWidget* page() const { return page_; }
    QSize designSize() const { return design_; }
    // The factor the page is shown at now.
    double scale() const { return scale_.factor(); }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void fitPage();

    QPointer<QWidget> page_;
    QSize design_;
    LayoutScale scale_;
};

// The design size times `factor`, rounded.
QSize scaledSize(QSize design, double factor);

}  // namespace strumwise::platform::desktop
