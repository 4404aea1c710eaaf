#include "platform/desktop/qt_meter_widgets.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace strumwise::platform::desktop {
namespace {

// The stage's colours (see main_screen.qss).
const QColor kCream{0xf3, 0xe9, 0xd2};
const QColor kDim{0xa8, 0x98, 0x7e};
const QColor kTrack{0x3a, 0x30, 0x28};
const QColor kTrackEdge{0x4d, 0x3d, 0x2a};
const QColor kGreen{0x3d, 0xdc, 0x84};
const QColor kGreenZone{0x3d, 0xdc, 0x84, 0x70};
const QColor kAmber{0xff, 0xc2, 0x33};
const QColor kBrass{0xe0, 0xad, 0x4c};

// The level bar's decibel scale: a plucked string sits in its upper half, and both thresholds
// (-54 and -47 dBFS) stay clear of its bottom end.
constexpr double kFloorDb = -66.0;

// Below this height the tuning meter's text goes beside its scale rather than above it.
constexpr double kFlatStrip = 40.0;

double levelFraction(double power) {
    if (!(power > 0.0)) {
        return 0.0;
    }
    return std::clamp((20.0 * std::log10(power) - kFloorDb) / -kFloorDb, 0.0, 1.0);
}

// A solid triangle pointing left (-1) or right (+1) inside `box`.
void drawArrow(QPainter& painter, const QRectF& box, int direction, const QColor& colour) {
    const double tipX = direction < 0 ? box.left() : box.right();
    const double baseX = direction < 0 ? box.right() : box.left();
    QPainterPath path;
    path.moveTo(tipX, box.center().y());
    path.lineTo(baseX, box.top());
    path.lineTo(baseX, box.bottom());
    path.closeSubpath();
    painter.fillPath(path, colour);
}

}  // namespace

TuningMeterWidget::TuningMeterWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void TuningMeterWidget::setReading(const TuningMeterReading& reading) {
    if (reading != reading_) {
        reading_ = reading;
        update();
    }
}

void TuningMeterWidget::paintEvent(QPaintEvent*) {
    using Turn = TuningMeterReading::Turn;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(2, 2, -2, -2);
    const double range = TuningMeterReading::kNeedleRange;

    // Text on the upper half and the scale on the lower half, arrows at the scale's two ends; a
    // strip too flat for that (a short phone's) puts the text on the left of the scale instead.
    const bool sideBySide = area.height() < kFlatStrip;
    const double textHeight = sideBySide ? area.height() : area.height() * 0.5;
    const QRectF textBox(area.left(), area.top(), sideBySide ? area.width() * 0.38 : area.width(),
                         textHeight);
    const QRectF scaleArea = sideBySide ? QRectF(textBox.right(), area.top(),
                                                 area.width() - textBox.width(), area.height())
                                        : QRectF(area.left(), area.top() + textHeight + 2,
                                                 area.width(), area.height() - textHeight - 2);
    const double arrowWidth = std::min(scaleArea.height() * 0.6, scaleArea.width() * 0.08);
    const QRectF scale(scaleArea.left() + arrowWidth * 1.4, scaleArea.top(),
                       scaleArea.width() - arrowWidth * 2.8, scaleArea.height());
    const auto xOf = [&](double cents) {
        return scale.left() +
               (std::clamp(cents, -range, range) + range) / (2.0 * range) * scale.width();
    };

    // The track, the green zone and the ticks every 10 cents.
    const QRectF track(scale.left(), scale.center().y() - scale.height() * 0.22, scale.width(),
                       scale.height() * 0.44);
    painter.setPen(QPen(kTrackEdge, 1));
    painter.setBrush(kTrack);
    painter.drawRoundedRect(track, track.height() / 2, track.height() / 2);
    if (!reading_.idle) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kGreenZone);
        const double left = xOf(reading_.zoneLow);
        painter.drawRect(QRectF(left, track.top(), xOf(reading_.zoneHigh) - left, track.height()));
    }
    for (int cents = -50; cents <= 50; cents += 10) {
        const double x = xOf(cents);
        const double reach = cents == 0 ? scale.height() * 0.5 : scale.height() * 0.3;
        painter.setPen(QPen(cents == 0 ? kCream : kDim, cents == 0 ? 2 : 1));
        painter.drawLine(QPointF(x, scale.center().y() - reach),
                         QPointF(x, scale.center().y() + reach));
    }

    // The arrows: both dim, the one on the side the sound has strayed to lit, pointing back.
    const double arrowHeight = scale.height() * 0.7;
    const QRectF flatArrow(scaleArea.left(), scale.center().y() - arrowHeight / 2, arrowWidth,
                           arrowHeight);
    const QRectF sharpArrow(scaleArea.right() - arrowWidth, flatArrow.top(), arrowWidth,
                            arrowHeight);
    const bool idle = reading_.idle;
    drawArrow(painter, flatArrow, +1, !idle && reading_.turn == Turn::Up ? kAmber : kTrackEdge);
    drawArrow(painter, sharpArrow, -1, !idle && reading_.turn == Turn::Down ? kAmber : kTrackEdge);

    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(8, static_cast<int>(textHeight * (sideBySide ? 0.6 : 0.8))));
    painter.setFont(font);
    if (idle) {
        painter.setPen(kDim);
        painter.drawText(textBox, Qt::AlignCenter, QStringLiteral("\u2014 \u00a2"));
        return;
    }

    // The needle, green inside the zone.
    const QColor needleColour = reading_.turn == Turn::None ? kGreen : kAmber;
    const double x = xOf(reading_.needle);
    painter.setPen(
        QPen(needleColour, std::max(2.0, scale.height() * 0.12), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(x, scale.top()), QPointF(x, scale.bottom()));

    // "③ G3  +20 ¢": the string's number in a circle, as the tuning chart numbers the strings,
    // and its note, in the zone's colour when in tune; then the offset in whole cents.
    const long cents = std::lround(reading_.cents);
    const QString offset = (cents > 0 ? QStringLiteral("+") : QString()) + QString::number(cents) +
                           QStringLiteral(" \u00a2");
    // A note that is no string of the tuning goes without a number, dimmed.
    const QString noteName =
        QString::fromUtf8(reading_.note.data(), static_cast<qsizetype>(reading_.note.size()));
    const QString note = reading_.chromatic
                             ? noteName
                             : QString(QChar(static_cast<char16_t>(0x2460 + reading_.string - 1))) +
                                   QStringLiteral(" ") + noteName;
    // A long offset ("-665 ¢") on a narrow strip gets a smaller type rather than being cut.
    const double natural =
        QFontMetricsF(font).horizontalAdvance(note + QStringLiteral("  ") + offset);
    if (natural > textBox.width()) {
        font.setPixelSize(
            std::max(6, static_cast<int>(font.pixelSize() * textBox.width() / natural)));
        painter.setFont(font);
    }
    const QFontMetricsF metrics(font);
    const double gap = metrics.horizontalAdvance(QStringLiteral("  "));
    const double noteWidth = metrics.horizontalAdvance(note);
    const double total = noteWidth + gap + metrics.horizontalAdvance(offset);
    const double start = textBox.center().x() - total / 2;
    painter.setPen(reading_.chromatic ? kDim : reading_.turn == Turn::None ? kGreen : kBrass);
    painter.drawText(QRectF(start, textBox.top(), noteWidth, textBox.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, note);
    painter.setPen(kCream);
    painter.drawText(
        QRectF(start + noteWidth + gap, textBox.top(), total - noteWidth - gap, textBox.height()),
        Qt::AlignLeft | Qt::AlignVCenter, offset);
}

LevelMeterWidget::LevelMeterWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void LevelMeterWidget::setReading(const LevelMeterReading& reading) {
    if (reading != reading_) {
        reading_ = reading;
        update();
    }
}

void LevelMeterWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bar = QRectF(rect()).adjusted(1, 2, -1, -2);
    const double radius = bar.height() / 2;
    painter.setPen(QPen(kTrackEdge, 1));
    painter.setBrush(kTrack);
    painter.drawRoundedRect(bar, radius, radius);

    const double level = levelFraction(reading_.power);
    if (level > 0.0) {
        const QColor fill = reading_.power < reading_.silenceBelow    ? kDim
                            : reading_.power <= reading_.measureAbove ? kAmber
                                                                      : kGreen;
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(bar.left(), bar.top(), bar.width() * level, bar.height()),
                                radius, radius);
    }
    // The two thresholds, across the bar: below the first the tuner hears silence, above the
    // second it measures.
    painter.setPen(QPen(kCream, 2));
    for (const double threshold : {reading_.silenceBelow, reading_.measureAbove}) {
        if (threshold > 0.0) {
            const double x = bar.left() + bar.width() * levelFraction(threshold);
            painter.drawLine(QPointF(x, rect().top()), QPointF(x, rect().bottom()));
        }
    }
}

}  // namespace strumwise::platform::desktop
