#pragma once

#include <QWidget>

#include "platform/view_toolkit.h"

namespace strumwise::platform::desktop {

// The tuning meter: the note and its offset in cents above a scale of -50..+50 cents with the
// string's in-tune window in green, a needle, and an arrow at the side the needle has strayed
// to, pointing back towards the zone (flat: tune up; sharp: tune down). Idle, it shows the empty
// scale. Layouts create it under the class name "TuningMeter" and give it its height; it asks for
// no size of its own, so that a scaled window scales it like any fixed length of the layout.
class TuningMeterWidget final : public QWidget {
  public:
    static constexpr const char* kClassName = "TuningMeter";

    explicit TuningMeterWidget(QWidget* parent = nullptr);
    void setReading(const TuningMeterReading& reading);
    const TuningMeterReading& reading() const { return reading_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    TuningMeterReading reading_;
};

// The input level meter: a bar of the microphone's level on a decibel scale, grey below the
// silence threshold, amber between the thresholds and green above the measurement threshold,
// with both thresholds marked. Layouts create it under the class name "LevelMeter".
class LevelMeterWidget final : public QWidget {
  public:
    static constexpr const char* kClassName = "LevelMeter";

    explicit LevelMeterWidget(QWidget* parent = nullptr);
    void setReading(const LevelMeterReading& reading);
    const LevelMeterReading& reading() const { return reading_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    LevelMeterReading reading_;
};

}  // namespace strumwise::platform::desktop
