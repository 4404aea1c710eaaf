#pragma once

#include <QColor>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <cstddef>
#include <span>

#include "platform/view_toolkit.h"

namespace strumwise::platform::desktop {

// The picture of the meter's last seconds under it: cents up (-50..+50, sharp at the top), time
// across (the newest sample at the right edge), the in-tune window of the string last read as a
// green band, and the readings as a line in their string's colour, broken where nothing was read.
// Its accessible name says the trend in words. Layouts create it under the class name
// "ReadingHistory" and give it its height; it asks for no size of its own, so that a scaled
// window scales it like any fixed length of the layout. It keeps a copy of the samples in a
// fixed array, so drawing allocates nothing.
class ReadingHistoryWidget final : public QWidget {
  public:
    static constexpr const char* kClassName = "ReadingHistory";
    // The most samples it keeps: more than the tuner's six seconds at ten a second.
    static constexpr std::size_t kMostSamples = 128;

    explicit ReadingHistoryWidget(QWidget* parent = nullptr);
    void setSamples(std::span<const ReadingSample> samples, double nowSeconds);
    void setTrend(const ReadingTrend& trend);
    std::span<const ReadingSample> samples() const { return {samples_.data(), count_}; }

    // The line's colour for string 1..5: five that colour-blind players tell apart too, since
    // they differ in lightness as well as in hue, and none the green of the in-tune band.
    static QColor stringColour(int string);
    // The plot's area and where a sample falls in it.
    QRectF plotRect() const;
    // Where an offset of `cents` lies on the picture's scale, clamped to its ends.
    double yOf(double cents) const;
    QPointF pointOf(const ReadingSample& sample) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::array<ReadingSample, kMostSamples> samples_{};
    std::size_t count_ = 0;
    double now_ = 0.0;
};

// The trend in words: "G3, settling 2 cents sharp", "D4, in tune", "B3, drifting flat, 6 cents",
// "G3, steady 12 cents sharp" or "No reading"; translated.
QString spokenTrend(const ReadingTrend& trend);

class QtReadingHistory final : public ReadingHistoryView {
  public:
    explicit QtReadingHistory(ReadingHistoryWidget* widget) : widget_(widget) {}
    void show(std::span<const ReadingSample> samples, double nowSeconds) override;
    void describe(const ReadingTrend& trend) override;

  private:
    QPointer<ReadingHistoryWidget> widget_;
};

}  // namespace strumwise::platform::desktop
