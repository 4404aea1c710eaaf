#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/view_toolkit.h"

namespace strumwise::platform::desktop {

// The screen's look on a loaded layout: a stale match dims the lamps, the note and the tuned-
// string picture (greyed and faint) and lets the meter lead; back in tune they return to full
// green. The lamps' accessible names follow the look, and announcements reach assistive
// technology as an alert on the lamp the layout shows.
class QtScreenLook final : public ScreenLookView {
  public:
    explicit QtScreenLook(QWidget* root) : root_(root) {}

    void show(ScreenLook look) override;
    void announce(ScreenLook look, const TuningMeterReading& reading) override;

  private:
    QPointer<QWidget> root_;
};

// The lamp's accessible name for a look ("Lamp: in tune").
QString lampName(ScreenLook look);

}  // namespace strumwise::platform::desktop
