#pragma once

#include <QPainter>
#include <QVariantAnimation>
#include <QWidget>

#include "platform/view_toolkit.h"

namespace strumwise::platform::desktop {

// The tuning meter: the string's number in a circle, its note and its offset in cents above a
// scale of -50..+50 cents as wide as the meter, with the string's in-tune window in green and a
// needle that glides to each new reading; an arrow at each end of the text lights on the side the
// needle has strayed to, pointing back towards the zone (flat: tune up; sharp: tune down). Idle,
// it shows the empty scale. Its text has one size, set by the meter's height and never below
// what can be read at arm's length, whatever the reading says. Layouts create it under the class
// name "TuningMeter" and give it its height; it asks for no size of its own, so that a scaled
// window scales it like any fixed length of the layout.
class TuningMeterWidget final : public QWidget {
  public:
    static constexpr const char* kClassName = "TuningMeter";
    // The smallest type the meter writes in, in pixels.
    static constexpr int kSmallestText = 18;
    // How long the needle takes to glide to a new reading.
    static constexpr int kGlideMilliseconds = 80;

    explicit TuningMeterWidget(QWidget* parent = nullptr);
    void setReading(const TuningMeterReading& reading);
    const TuningMeterReading& reading() const { return reading_; }
    // Out of tune (a stale match, or a sound with no string lit), the meter is the news: its
    // text turns bright and a frame draws the eye.
    void setLook(ScreenLook look);
    ScreenLook look() const { return look_; }

    // The scale's -50..+50 cents, in the meter's own coordinates.
    QRectF scaleRect() const;
    // The size of every text on the meter, in pixels.
    int textPixelSize() const;
    const QVariantAnimation& glide() const { return *glide_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QRectF textRow() const;
    void drawStringNumber(QPainter& painter, const QFont& font, const QColor& colour,
                          QPointF rightMiddle, double diameter) const;
    void drawLockHint(QPainter& painter, const QRectF& scale) const;

    TuningMeterReading reading_;
    ScreenLook look_ = ScreenLook::Silence;
    double shownNeedle_ = 0.0;
    QVariantAnimation* glide_;
};

// What a screen reader says for a reading: "G3, 20 cents sharp, tune down", "G3, in tune", or
// that there is nothing to read; translated.
QString spokenReading(const TuningMeterReading& reading);

// The input level meter: a bar of the microphone's level on a decibel scale, grey below the
// silence threshold, amber between the thresholds and green above the measurement threshold,
// with both thresholds marked; its accessible name says the band ("Level: measuring"). Layouts
// create it under the class name "LevelMeter".
class LevelMeterWidget final : public QWidget {
  public:
    static constexpr const char* kClassName = "LevelMeter";

    explicit LevelMeterWidget(QWidget* parent = nullptr);
    void setReading(const LevelMeterReading& reading);
    const LevelMeterReading& reading() const { return reading_; }
    // "Level: silent", "Level: quiet" (heard, too faint to measure) or "Level: measuring".
    static QString levelName(const LevelMeterReading& reading);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    LevelMeterReading reading_;
};

}  // namespace strumwise::platform::desktop
