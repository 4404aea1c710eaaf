#include "adapters/desktop/views/qt_meter_widgets.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdlib>

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
const QColor kBright{0xff, 0xf8, 0xea};
const QColor kInk{0x1d, 0x1a, 0x17};
const QColor kLeadGlow{0xff, 0xc2, 0x33, 0x1e};

// The level bar's decibel scale: a plucked string sits in its upper half, and both thresholds
// (-54 and -47 dBFS) stay clear of its bottom end.
constexpr double kFloorDb = -66.0;

// The layouts' texts are translated in this context, and so are the meters'.
QString translated(const char* text) {
    return QCoreApplication::translate("MainScreen", text);
}

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

TuningMeterWidget::TuningMeterWidget(QWidget* parent)
    : QWidget(parent), glide_(new QVariantAnimation(this)) {
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setAccessibleName(spokenReading(reading_));
    glide_->setDuration(kGlideMilliseconds);
    glide_->setEasingCurve(QEasingCurve::OutCubic);
    QObject::connect(glide_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        shownNeedle_ = value.toDouble();
        update();
    });
}

void TuningMeterWidget::setReading(const TuningMeterReading& reading) {
    if (reading == reading_) {
        return;
    }
    const bool wasIdle = reading_.idle;
    reading_ = reading;
    glide_->stop();
    if (reading.idle || wasIdle) {
        // A needle that appears starts where it belongs rather than sweeping in from the middle.
        shownNeedle_ = reading.needle;
    } else {
        glide_->setStartValue(shownNeedle_);
        glide_->setEndValue(reading.needle);
        glide_->start();
    }
    setAccessibleName(spokenReading(reading_));
    update();
}

void TuningMeterWidget::setLook(ScreenLook look) {
    if (look != look_) {
        look_ = look;
        update();
    }
}

int TuningMeterWidget::textPixelSize() const {
    // Set by the meter's size alone, never by what it says; a narrow column's meter keeps room
    // for the widest offset ("-665 ¢") beside its note.
    const long bySize = std::min(std::lround(height() * 0.42), std::lround(width() / 11.0));
    return std::max(kSmallestText, static_cast<int>(bySize));
}

QRectF TuningMeterWidget::textRow() const {
    const QRectF area = QRectF(rect()).adjusted(3, 2, -3, -2);
    return {area.left(), area.top(), area.width(),
            std::min(area.height() * 0.62, textPixelSize() * 1.3)};
}

QRectF TuningMeterWidget::scaleRect() const {
    const QRectF area = QRectF(rect()).adjusted(3, 2, -3, -2);
    const double top = textRow().bottom() + 2;
    return {area.left(), top, area.width(), std::max(4.0, area.bottom() - top)};
}

void TuningMeterWidget::paintEvent(QPaintEvent*) {
    using Turn = TuningMeterReading::Turn;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double range = TuningMeterReading::kNeedleRange;
    const bool idle = reading_.idle;
    const bool leads = !idle && (look_ == ScreenLook::Stale || look_ == ScreenLook::Measuring);

    // Out of tune, a frame draws the eye to the meter.
    if (leads) {
        painter.setPen(QPen(kAmber, 2));
        painter.setBrush(kLeadGlow);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6, 6);
    }

    // The track as wide as the meter, the green zone and the ticks every 10 cents.
    const QRectF scale = scaleRect();
    const auto xOf = [&](double cents) {
        return scale.left() +
               (std::clamp(cents, -range, range) + range) / (2.0 * range) * scale.width();
    };
    const QRectF track(scale.left(), scale.center().y() - scale.height() * 0.25, scale.width(),
                       scale.height() * 0.5);
    painter.setPen(QPen(kTrackEdge, 1));
    painter.setBrush(kTrack);
    painter.drawRoundedRect(track, track.height() / 2, track.height() / 2);
    if (!idle) {
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

    // The arrows at the two ends of the text row, both dim, the one on the side the sound has
    // strayed to lit, pointing back towards the middle.
    const QRectF row = textRow();
    const int textSize = textPixelSize();
    const double arrow = std::min(row.height() * 0.8, textSize * 0.9);
    const QRectF flatArrow(row.left() + 2, row.center().y() - arrow / 2, arrow * 0.8, arrow);
    const QRectF sharpArrow(row.right() - 2 - arrow * 0.8, flatArrow.top(), arrow * 0.8, arrow);
    drawArrow(painter, flatArrow, +1, !idle && reading_.turn == Turn::Up ? kAmber : kTrackEdge);
    drawArrow(painter, sharpArrow, -1, !idle && reading_.turn == Turn::Down ? kAmber : kTrackEdge);

    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(textSize);
    painter.setFont(font);
    if (idle) {
        painter.setPen(kDim);
        painter.drawText(row, Qt::AlignCenter, QStringLiteral("\u2014 \u00a2"));
        return;
    }

    // The needle, green inside the zone.
    const QColor needleColour = reading_.turn == Turn::None ? kGreen : kAmber;
    const double x = xOf(shownNeedle_);
    painter.setPen(
        QPen(needleColour, std::max(3.0, scale.height() * 0.16), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(x, scale.top()), QPointF(x, scale.bottom()));
    if (reading_.locked) {
        drawLockHint(painter, scale);
    }

    // "(3) G3 | +20 ¢": the string's number in a drawn circle, as the tuning chart numbers the
    // strings, and its note to the left of the middle, in the zone's colour when in tune; the
    // offset in whole cents to the right. Each half keeps its place whatever the other says.
    const QFontMetricsF metrics(font);
    const double gap = metrics.horizontalAdvance(QStringLiteral("  "));
    const long cents = std::lround(reading_.cents);
    const QString offset = (cents > 0 ? QStringLiteral("+") : QString()) +
                           QString::number(cents).replace(QLatin1Char('-'), QChar(0x2212)) +
                           QStringLiteral(" \u00a2");
    const QString note =
        QString::fromUtf8(reading_.note.data(), static_cast<qsizetype>(reading_.note.size()));
    const double middle = row.center().x();
    const double noteWidth = metrics.horizontalAdvance(note);
    // A note that is no string of the tuning goes dimmed and without a number.
    const QColor noteColour = reading_.chromatic            ? kDim
                              : reading_.turn == Turn::None ? kGreen
                              : leads                       ? kBright
                                                            : kBrass;
    painter.setPen(noteColour);
    painter.drawText(QRectF(middle - gap / 2 - noteWidth, row.top(), noteWidth, row.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, note);
    if (!reading_.chromatic) {
        drawStringNumber(painter, font, noteColour,
                         QPointF(middle - gap / 2 - noteWidth - gap / 2, row.center().y()),
                         std::min(row.height(), textSize * 1.15));
    }
    painter.setPen(leads ? kBright : kCream);
    const double offsetLeft = middle + gap / 2;
    painter.drawText(QRectF(offsetLeft, row.top(), sharpArrow.left() - offsetLeft, row.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(offset, Qt::ElideRight, sharpArrow.left() - offsetLeft));
}

// Locked to one string, a note far off it pins the needle at an end of the scale: a label over
// the middle of the track says the string is locked and which way to turn its peg.
void TuningMeterWidget::drawLockHint(QPainter& painter, const QRectF& scale) const {
    using Turn = TuningMeterReading::Turn;
    const QString hint = reading_.turn == Turn::None   ? translated("Locked: in tune")
                         : reading_.turn == Turn::Down ? translated("Locked: tune down")
                                                       : translated("Locked: tune up");
    const QFont kept = painter.font();
    QFont font = kept;
    font.setPixelSize(std::max(10, static_cast<int>(scale.height() * 0.7)));
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(hint) + metrics.height();
    const QRectF pill(scale.center().x() - width / 2, scale.center().y() - metrics.height() * 0.6,
                      width, metrics.height() * 1.2);
    painter.setPen(QPen(reading_.turn == Turn::None ? kGreen : kAmber, 1));
    painter.setBrush(kInk);
    painter.drawRoundedRect(pill, pill.height() / 2, pill.height() / 2);
    painter.setFont(font);
    painter.setPen(kBright);
    painter.drawText(pill, Qt::AlignCenter, hint);
    painter.setFont(kept);
}

// The string's number as a digit in a filled circle whose right edge is at `rightMiddle`.
void TuningMeterWidget::drawStringNumber(QPainter& painter, const QFont& font, const QColor& colour,
                                         QPointF rightMiddle, double diameter) const {
    const QRectF circle(rightMiddle.x() - diameter, rightMiddle.y() - diameter / 2, diameter,
                        diameter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(circle);
    QFont digitFont = font;
    digitFont.setPixelSize(std::max(10, static_cast<int>(diameter * 0.72)));
    painter.setFont(digitFont);
    painter.setPen(kInk);
    painter.drawText(circle, Qt::AlignCenter, QString::number(reading_.string));
    painter.setFont(font);
}
QString spokenReading(const TuningMeterReading& reading) {
    using Turn = TuningMeterReading::Turn;
    if (reading.idle) {
        return translated("No sound to read");
    }
    const QString note =
        QString::fromUtf8(reading.note.data(), static_cast<qsizetype>(reading.note.size()));
    if (reading.turn == Turn::None) {
        const QString spoken = translated("%1, in tune").arg(note);
        return reading.locked ? translated("%1 (string locked)").arg(spoken) : spoken;
    }
    const long cents = std::labs(std::lround(reading.cents));
    const QString spoken = (reading.turn == Turn::Down ? translated("%1, %2 cents sharp, tune down")
                                                       : translated("%1, %2 cents flat, tune up"))
                               .arg(note)
                               .arg(cents);
    return reading.locked ? translated("%1 (string locked)").arg(spoken) : spoken;
}

LevelMeterWidget::LevelMeterWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(levelName(reading_));
}

QString LevelMeterWidget::levelName(const LevelMeterReading& reading) {
    return translated("Level: %1")
        .arg(reading.power < reading.silenceBelow    ? translated("silent")
             : reading.power <= reading.measureAbove ? translated("quiet")
                                                     : translated("measuring"));
}

void LevelMeterWidget::setReading(const LevelMeterReading& reading) {
    if (reading != reading_) {
        reading_ = reading;
        // Only a change of band is news to a screen reader; the level itself moves every tick.
        const QString name = levelName(reading_);
        if (name != accessibleName()) {
            setAccessibleName(name);
        }
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
