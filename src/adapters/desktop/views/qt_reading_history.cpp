#include "adapters/desktop/views/qt_reading_history.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "tuner/reading_history.h"

namespace strumwise::platform::desktop {
namespace {

// The stage's colours (see main_screen.qss and the meters).
const QColor kTrack{0x3a, 0x30, 0x28, 0x90};
const QColor kTrackEdge{0x4d, 0x3d, 0x2a};
const QColor kGreenZone{0x3d, 0xdc, 0x84, 0x48};
const QColor kDim{0xa8, 0x98, 0x7e};

// The scale's reach either way, as the meter's.
constexpr double kRange = TuningMeterReading::kNeedleRange;
// How far back the picture reaches: as far as the history.
constexpr double kSeconds = tuner::ReadingHistory::kSeconds;
// Two readings further apart than this (a tick lost, a gap) are not joined.
constexpr double kJoinSeconds = 0.25;

// Yellow, amber, sky blue, vermilion and blue: lightness from about 89 down to 46.
const std::array<QColor, 5> kStringColours{QColor(0xf0, 0xe4, 0x42), QColor(0xff, 0xb0, 0x00),
                                           QColor(0x56, 0xb4, 0xe9), QColor(0xd5, 0x5e, 0x00),
                                           QColor(0x00, 0x72, 0xb2)};

QString translated(const char* text) {
    return QCoreApplication::translate("MainScreen", text);
}

}  // namespace

ReadingHistoryWidget::ReadingHistoryWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setAccessibleName(spokenTrend({}));
}

QColor ReadingHistoryWidget::stringColour(int string) {
    if (string < 1 || string > static_cast<int>(kStringColours.size())) {
        return kDim;
    }
    return kStringColours[static_cast<std::size_t>(string - 1)];
}

void ReadingHistoryWidget::setSamples(std::span<const ReadingSample> samples, double nowSeconds) {
    // The newest ones, should there be more than it keeps.
    const std::size_t count = std::min(samples.size(), kMostSamples);
    std::copy(samples.end() - static_cast<std::ptrdiff_t>(count), samples.end(), samples_.begin());
    count_ = count;
    now_ = nowSeconds;
    update();
}

void ReadingHistoryWidget::setTrend(const ReadingTrend& trend) {
    const QString name = spokenTrend(trend);
    if (name != accessibleName()) {
        setAccessibleName(name);
    }
}

QRectF ReadingHistoryWidget::plotRect() const {
    return QRectF(rect()).adjusted(3, 3, -3, -3);
}

double ReadingHistoryWidget::yOf(double cents) const {
    const QRectF plot = plotRect();
    return plot.center().y() - std::clamp(cents, -kRange, kRange) / kRange * plot.height() / 2;
}

QPointF ReadingHistoryWidget::pointOf(const ReadingSample& sample) const {
    const QRectF plot = plotRect();
    return {plot.right() - (now_ - sample.seconds) / kSeconds * plot.width(), yOf(sample.cents)};
}

void ReadingHistoryWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF plot = plotRect();
    painter.setPen(QPen(kTrackEdge, 1));
    painter.setBrush(kTrack);
    painter.drawRoundedRect(plot.adjusted(-2, -2, 2, 2), 6, 6);

    // The in-tune window of the string read last, across the whole picture.
    const ReadingSample* band = nullptr;
    for (std::size_t i = count_; i > 0; --i) {
        if (samples_[i - 1].string != 0) {
            band = &samples_[i - 1];
            break;
        }
    }
    if (band != nullptr) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kGreenZone);
        const double top = yOf(band->zoneHigh);
        painter.drawRect(QRectF(plot.left(), top, plot.width(), yOf(band->zoneLow) - top));
    }
    // The note itself, and a faint line every 25 cents.
    for (const double cents : {-25.0, 0.0, 25.0}) {
        painter.setPen(QPen(cents == 0.0 ? kDim : kTrackEdge, 1, Qt::DashLine));
        painter.drawLine(QPointF(plot.left(), yOf(cents)), QPointF(plot.right(), yOf(cents)));
    }

    // The readings: a line for each run of one string, a dot for a reading alone.
    const double width = std::max(2.5, plot.height() / 16.0);
    painter.save();
    painter.setClipRect(plot);
    for (std::size_t i = 0; i < count_; ++i) {
        const ReadingSample& sample = samples_[i];
        if (sample.string == 0) {
            continue;
        }
        const QColor colour = stringColour(sample.string);
        const bool joinedBefore = i > 0 && samples_[i - 1].string == sample.string &&
                                  sample.seconds - samples_[i - 1].seconds <= kJoinSeconds;
        const bool joinedAfter = i + 1 < count_ && samples_[i + 1].string == sample.string &&
                                 samples_[i + 1].seconds - sample.seconds <= kJoinSeconds;
        if (joinedBefore) {
            painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(pointOf(samples_[i - 1]), pointOf(sample));
        } else if (!joinedAfter) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            painter.drawEllipse(pointOf(sample), width, width);
        }
    }
    painter.restore();

    // The scale's ends, where there is room to write them.
    if (plot.height() >= 48) {
        QFont font = painter.font();
        font.setPixelSize(std::max(10, static_cast<int>(plot.height() / 9)));
        painter.setFont(font);
        painter.setPen(kDim);
        const QRectF corner(plot.left() + 4, plot.top(), plot.width() / 4, plot.height());
        painter.drawText(corner, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("+50 \u00a2"));
        painter.drawText(corner, Qt::AlignLeft | Qt::AlignBottom,
                         QStringLiteral("\u221250 \u00a2"));
    }
}

QString spokenTrend(const ReadingTrend& trend) {
    using Kind = ReadingTrend::Kind;
    const QString note =
        QString::fromUtf8(trend.note.data(), static_cast<qsizetype>(trend.note.size()));
    const int cents = std::abs(trend.cents);
    const bool sharp = trend.cents > 0;
    switch (trend.kind) {
        case Kind::NoReading:
            return translated("No reading");
        case Kind::InTune:
            return translated("%1, in tune").arg(note);
        case Kind::Settling:
            return (sharp ? translated("%1, settling %2 cents sharp")
                          : translated("%1, settling %2 cents flat"))
                .arg(note)
                .arg(cents);
        case Kind::Drifting:
            return (sharp ? translated("%1, drifting sharp, %2 cents")
                          : translated("%1, drifting flat, %2 cents"))
                .arg(note)
                .arg(cents);
        case Kind::Steady:
            return (sharp ? translated("%1, steady %2 cents sharp")
                          : translated("%1, steady %2 cents flat"))
                .arg(note)
                .arg(cents);
    }
    return {};
}

void QtReadingHistory::show(std::span<const ReadingSample> samples, double nowSeconds) {
    if (widget_ != nullptr) {
        widget_->setSamples(samples, nowSeconds);
    }
}

void QtReadingHistory::describe(const ReadingTrend& trend) {
    if (widget_ != nullptr) {
        widget_->setTrend(trend);
    }
}

}  // namespace strumwise::platform::desktop
