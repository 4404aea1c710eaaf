#include "chart_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <array>
#include <cmath>

#include "palette.h"
#include "tuner/tuning_table.h"

namespace strumwise::artwork {
namespace {

QString noteName(std::uint64_t tuning, int string) {
    const tuner::Note* note = tuner::noteOf(tuning, string);
    return note != nullptr
               ? QString::fromUtf8(note->name.data(), static_cast<qsizetype>(note->name.size()))
               : QString();
}

// A note's letter and accidental without its octave: "F#" for "F#3".
QString pitchClass(const QString& note) {
    QString text = note;
    while (!text.isEmpty() && (text.back().isDigit() || text.back() == QLatin1Char('-'))) {
        text.chop(1);
    }
    return text;
}

// The tuning as banjo players spell it, one string at a time, the fifth string first and in
// lower case: "g", "D", "G", "B", "D".
QStringList spelling(const ChartNotes& notes) {
    const QString drone = pitchClass(notes[4]);
    QStringList letters{drone.left(1).toLower() + drone.mid(1)};
    for (int string = 4; string >= 1; --string) {
        letters.push_back(pitchClass(notes[static_cast<std::size_t>(string - 1)]));
    }
    return letters;
}

QFont fontOfSize(double pixels, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(6, static_cast<int>(pixels)));
    font.setBold(bold);
    return font;
}

}  // namespace

QImage paintChart(int width, int height, std::uint64_t tuning, bool wide) {
    ChartNotes notes;
    for (int string = 1; string <= 5; ++string) {
        notes[static_cast<std::size_t>(string - 1)] = noteName(tuning, string);
    }
    return paintChart(width, height, notes, wide);
}

QImage paintChart(int width, int height, const ChartNotes& notes, bool wide) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double w = width;
    const double h = height;

    // The card the chart sits on.
    const double corner = h * 0.08;
    QLinearGradient card(0, 0, 0, h);
    card.setColorAt(0.0, kStageLight.lighter(115));
    card.setColorAt(1.0, kStageLight);
    p.setPen(QPen(kBrassDark, std::max(1.0, h * 0.008)));
    p.setBrush(card);
    p.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), corner, corner);

    const double headEnd = w * (wide ? 0.12 : 0.13);
    const double boardEnd = w * (wide ? 0.76 : 0.72);
    const double top = h * 0.30;
    const double bottom = h * 0.86;
    const double spacing = (bottom - top) / 4.0;
    const auto stringY = [&](int string) {
        return string == 5 ? bottom : top + spacing * (string - 1);  // tablature order
    };

    // The tuning spelled out above the neck, its strings a thin space apart.
    p.setFont(fontOfSize(h * 0.15, true));
    p.setPen(kBrass);
    p.drawText(QRectF(headEnd, h * 0.03, boardEnd - headEnd, h * 0.22),
               Qt::AlignLeft | Qt::AlignVCenter, spelling(notes).join(QChar(0x2009)));

    // Headstock with two pegs on each side.
    QPainterPath head;
    head.moveTo(headEnd, top - spacing * 0.7);
    head.cubicTo(headEnd * 0.5, top - spacing * 1.1, w * 0.02, top - spacing * 0.4, w * 0.02,
                 (top + stringY(4)) / 2);
    head.cubicTo(w * 0.02, stringY(4) + spacing * 0.4, headEnd * 0.5, stringY(4) + spacing * 1.1,
                 headEnd, stringY(4) + spacing * 0.7);
    head.closeSubpath();
    QLinearGradient wood(0, top - spacing, 0, stringY(4) + spacing);
    wood.setColorAt(0.0, kRim.lighter(120));
    wood.setColorAt(1.0, kRimDark);
    p.setPen(QPen(kRimDark.darker(130), std::max(1.0, h * 0.006)));
    p.setBrush(wood);
    p.drawPath(head);
    const double pegRadius = spacing * 0.28;
    p.setBrush(kChrome);
    p.setPen(QPen(kChromeDark, std::max(0.8, h * 0.005)));
    for (const double x : {headEnd * 0.45, headEnd * 0.78}) {
        p.drawEllipse(QPointF(x, top - spacing * 0.35), pegRadius, pegRadius);
        p.drawEllipse(QPointF(x, stringY(4) + spacing * 0.35), pegRadius, pegRadius);
    }

    // Fingerboard from the nut to the edge of the chart's neck.
    const QRectF board(headEnd, top - spacing * 0.45, boardEnd - headEnd,
                       bottom - top + spacing * 0.9);
    QLinearGradient ebony(0, board.top(), 0, board.bottom());
    ebony.setColorAt(0.0, kFingerboard.lighter(125));
    ebony.setColorAt(1.0, kFingerboard.darker(125));
    p.setPen(Qt::NoPen);
    p.setBrush(ebony);
    p.drawRect(board);

    // Frets at their equal-tempered places, seven of them across the board.
    const double scale = (boardEnd - headEnd) / (1.0 - std::pow(2.0, -7.5 / 12.0));
    const auto fretX = [&](int fret) {
        return headEnd + scale * (1.0 - std::pow(2.0, -fret / 12.0));
    };
    p.setPen(QPen(kFret, std::max(1.0, h * 0.012)));
    for (int fret = 1; fret <= 7; ++fret) {
        p.drawLine(QPointF(fretX(fret), board.top()), QPointF(fretX(fret), board.bottom()));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kInlay);
    for (const int fret : {3, 5, 7}) {
        const double x = (fretX(fret) + fretX(fret - 1)) / 2;
        p.drawEllipse(QPointF(x, (top + bottom) / 2), spacing * 0.14, spacing * 0.14);
    }
    // The nut.
    p.setBrush(kSkin);
    p.drawRect(QRectF(headEnd - h * 0.02, board.top(), h * 0.03, board.height()));

    // Strings; the fifth starts at its own peg by the fifth fret.
    const double fifthStart = fretX(5);
    for (int string = 1; string <= 5; ++string) {
        const double y = stringY(string);
        const double start = string == 5 ? fifthStart : headEnd - h * 0.02;
        p.setPen(QPen(kString, std::max(1.0, h * (string == 4 ? 0.016 : 0.011)), Qt::SolidLine,
                      Qt::RoundCap));
        p.drawLine(QPointF(start, y), QPointF(boardEnd, y));
    }
    QRadialGradient peg(QPointF(fifthStart, bottom), pegRadius * 1.2);
    peg.setColorAt(0.0, kChrome.lighter(125));
    peg.setColorAt(1.0, kChromeDark);
    p.setBrush(peg);
    p.setPen(QPen(kChromeDark.darker(130), std::max(0.8, h * 0.005)));
    p.drawEllipse(QPointF(fifthStart, bottom), pegRadius, pegRadius);

    // A label per string: its number in a brass disc and its note.
    const double labelLeft = boardEnd + w * 0.025;
    const double discRadius = spacing * 0.36;
    for (int string = 1; string <= 5; ++string) {
        const double y = stringY(string);
        p.setPen(QPen(kString.darker(130), std::max(1.0, h * 0.006), Qt::DotLine));
        p.drawLine(QPointF(boardEnd, y), QPointF(labelLeft, y));
        const QPointF disc(labelLeft + discRadius, y);
        p.setPen(Qt::NoPen);
        p.setBrush(kBrass);
        p.drawEllipse(disc, discRadius, discRadius);
        p.setPen(kStage);
        p.setFont(fontOfSize(discRadius * 1.3, true));
        p.drawText(QRectF(disc.x() - discRadius, y - discRadius, discRadius * 2, discRadius * 2),
                   Qt::AlignCenter, QString::number(string));
        p.setPen(kCream);
        p.setFont(fontOfSize(spacing * 0.78, true));
        p.drawText(QRectF(disc.x() + discRadius * 1.5, y - spacing * 0.6, w, spacing * 1.2),
                   Qt::AlignLeft | Qt::AlignVCenter, notes[static_cast<std::size_t>(string - 1)]);
    }
    return image;
}

}  // namespace strumwise::artwork
