#include "banjo_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "palette.h"

namespace strumwise::artwork {
namespace {

// Where one string runs: from its top (the picture's edge, or the fifth string's peg) over the
// bridge to the tailpiece.
struct StringPath {
    QPointF top;
    QPointF bridge;
    QPointF tail;
};

struct Geometry {
    double w, h;
    QPointF centre;  // of the head
    double radius;   // of the head, to the outside of the rim
    double neckTopWidth, neckBottomWidth, neckEnd;
    double bridgeY, tailY;
    double fifthPegY;
};

Geometry geometryFor(int width, int height) {
    Geometry g{};
    g.w = width;
    g.h = height;
    g.radius = g.w * 0.44;
    g.centre = QPointF(g.w / 2, g.h - g.radius * 1.08);
    g.neckTopWidth = g.w * 0.19;
    g.neckBottomWidth = g.w * 0.23;
    g.neckEnd = g.centre.y() - g.radius * 0.52;
    g.bridgeY = g.centre.y() + g.radius * 0.30;
    g.tailY = g.centre.y() + g.radius * 0.80;
    g.fifthPegY = g.h * 0.16;
    return g;
}

double neckHalfWidthAt(const Geometry& g, double y) {
    const double t = std::clamp(y / g.neckEnd, 0.0, 1.0);
    return (g.neckTopWidth + (g.neckBottomWidth - g.neckTopWidth) * t) / 2;
}

// Strings 1..5 (index 0..4). Seen from the front, the fifth string is leftmost, then the fourth
// down to the first on the right.
std::array<StringPath, 5> stringPaths(const Geometry& g) {
    std::array<StringPath, 5> paths{};
    const double cx = g.centre.x();
    const double topHalf = neckHalfWidthAt(g, 0) * 0.78;
    const double bridgeHalf = g.w * 0.15;
    const double tailHalf = g.w * 0.05;
    for (int string = 1; string <= 5; ++string) {
        // Position across the neck from the left: 5th = 0, 4th = 1, ..., 1st = 4.
        const int slot = string == 5 ? 0 : 5 - string;
        const double across = slot / 4.0 * 2.0 - 1.0;  // -1 .. 1
        StringPath& path = paths[static_cast<std::size_t>(string - 1)];
        path.top = QPointF(cx + across * topHalf, 0);
        path.bridge = QPointF(cx + across * bridgeHalf, g.bridgeY);
        path.tail = QPointF(cx + across * tailHalf, g.tailY);
        if (string == 5) {
            // The short string leaves its own peg on the side of the neck.
            const double t = g.fifthPegY / g.bridgeY;
            path.top = QPointF(path.top.x() + (path.bridge.x() - path.top.x()) * t, g.fifthPegY);
        }
    }
    return paths;
}

void paintHead(QPainter& p, const Geometry& g) {
    const QPointF c = g.centre;
    const double r = g.radius;

    // Shadow beneath the pot.
    QRadialGradient shadow(c + QPointF(0, r * 0.06), r * 1.08);
    shadow.setColorAt(0.85, QColor(0, 0, 0, 110));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(c + QPointF(0, r * 0.06), r * 1.08, r * 1.08);

    // Brackets around the rim.
    const int brackets = 24;
    p.setBrush(kChrome);
    p.setPen(QPen(kChromeDark, std::max(0.6, g.w * 0.004)));
    for (int i = 0; i < brackets; ++i) {
        const double angle = 2 * std::numbers::pi * i / brackets;
        p.save();
        p.translate(c);
        p.rotate(angle * 180 / std::numbers::pi);
        p.drawRoundedRect(QRectF(r * 0.93, -r * 0.025, r * 0.11, r * 0.05), r * 0.02, r * 0.02);
        p.restore();
    }

    // Wooden rim.
    QRadialGradient wood(c, r);
    wood.setColorAt(0.86, kRimDark);
    wood.setColorAt(0.93, kRim.lighter(115));
    wood.setColorAt(1.0, kRimDark);
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    p.drawEllipse(c, r, r);

    // Chrome tension hoop.
    QLinearGradient hoop(0, c.y() - r, 0, c.y() + r);
    hoop.setColorAt(0.0, kChrome.lighter(115));
    hoop.setColorAt(0.5, kChromeDark);
    hoop.setColorAt(1.0, kChrome);
    p.setBrush(hoop);
    p.drawEllipse(c, r * 0.90, r * 0.90);

    // The head itself: frosted skin, a little darker at its edge.
    QRadialGradient skin(c + QPointF(-r * 0.15, -r * 0.2), r * 0.95);
    skin.setColorAt(0.0, kSkin.lighter(104));
    skin.setColorAt(0.75, kSkin);
    skin.setColorAt(1.0, kSkinShade);
    p.setBrush(skin);
    p.drawEllipse(c, r * 0.85, r * 0.85);
}

void paintNeck(QPainter& p, const Geometry& g) {
    QPainterPath neck;
    neck.moveTo(g.centre.x() - g.neckTopWidth / 2, -1);
    neck.lineTo(g.centre.x() + g.neckTopWidth / 2, -1);
    neck.lineTo(g.centre.x() + g.neckBottomWidth / 2, g.neckEnd);
    neck.quadTo(g.centre.x(), g.neckEnd + g.w * 0.035, g.centre.x() - g.neckBottomWidth / 2,
                g.neckEnd);
    neck.closeSubpath();

    QLinearGradient ebony(g.centre.x() - g.neckBottomWidth / 2, 0,
                          g.centre.x() + g.neckBottomWidth / 2, 0);
    ebony.setColorAt(0.0, kFingerboard.darker(140));
    ebony.setColorAt(0.5, kFingerboard.lighter(120));
    ebony.setColorAt(1.0, kFingerboard.darker(140));
    p.setPen(QPen(kRimDark, std::max(1.0, g.w * 0.006)));
    p.setBrush(ebony);
    p.drawPath(neck);

    // Frets closing up towards the body, with pearl dots in the classic spaces.
    double y = g.h * 0.05;
    double gap = g.neckEnd * 0.16;
    const std::array<int, 4> dotted{2, 4, 6, 9};
    int space = 0;
    p.setClipPath(neck);
    while (y < g.neckEnd - gap * 0.3) {
        const double half = neckHalfWidthAt(g, y);
        p.setPen(QPen(kFret, std::max(1.0, g.w * 0.010), Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(g.centre.x() - half, y), QPointF(g.centre.x() + half, y));
        const double next = y + gap;
        ++space;
        if (std::find(dotted.begin(), dotted.end(), space) != dotted.end() && next < g.neckEnd) {
            const double dot = g.w * 0.018;
            p.setPen(Qt::NoPen);
            p.setBrush(kInlay);
            p.drawEllipse(QPointF(g.centre.x(), (y + next) / 2), dot, dot);
        }
        y = next;
        gap *= 0.90;
    }
    p.setClipping(false);

    // The fifth string's peg on the side of the neck.
    const double pegX = g.centre.x() - neckHalfWidthAt(g, g.fifthPegY) - g.w * 0.035;
    QRadialGradient peg(QPointF(pegX, g.fifthPegY), g.w * 0.05);
    peg.setColorAt(0.0, kChrome.lighter(120));
    peg.setColorAt(1.0, kChromeDark);
    p.setPen(QPen(kChromeDark.darker(130), std::max(0.8, g.w * 0.005)));
    p.setBrush(peg);
    p.drawEllipse(QPointF(pegX, g.fifthPegY), g.w * 0.045, g.w * 0.03);
    p.drawRect(QRectF(pegX, g.fifthPegY - g.w * 0.008, g.w * 0.04, g.w * 0.016));
}

void paintBridgeAndTail(QPainter& p, const Geometry& g) {
    // Tailpiece: a polished plate from the rim to just below the bridge.
    QPainterPath tail;
    const double topHalf = g.w * 0.10;
    const double bottomHalf = g.w * 0.05;
    const double top = g.tailY - g.radius * 0.06;
    const double bottom = g.centre.y() + g.radius * 0.98;
    tail.moveTo(g.centre.x() - topHalf, top);
    tail.lineTo(g.centre.x() + topHalf, top);
    tail.lineTo(g.centre.x() + bottomHalf, bottom);
    tail.lineTo(g.centre.x() - bottomHalf, bottom);
    tail.closeSubpath();
    QLinearGradient chrome(g.centre.x() - topHalf, 0, g.centre.x() + topHalf, 0);
    chrome.setColorAt(0.0, kChromeDark);
    chrome.setColorAt(0.45, kChrome.lighter(120));
    chrome.setColorAt(1.0, kChromeDark);
    p.setPen(QPen(kChromeDark.darker(140), std::max(0.8, g.w * 0.005)));
    p.setBrush(chrome);
    p.drawPath(tail);

    // Maple bridge with an ebony cap.
    const QRectF bridge(g.centre.x() - g.w * 0.19, g.bridgeY - g.w * 0.012, g.w * 0.38, g.w * 0.05);
    p.setPen(QPen(kRimDark, std::max(0.8, g.w * 0.005)));
    p.setBrush(QColor(0xd8, 0xb0, 0x78));
    p.drawRoundedRect(bridge, g.w * 0.01, g.w * 0.01);
    p.setPen(Qt::NoPen);
    p.setBrush(kFingerboard);
    p.drawRect(QRectF(bridge.left(), bridge.top(), bridge.width(), bridge.height() * 0.3));
}

void paintStrings(QPainter& p, const Geometry& g, int tunedString) {
    const auto paths = stringPaths(g);
    const auto stroke = [&](const StringPath& path, const QPen& pen) {
        p.setPen(pen);
        p.drawPolyline(std::array<QPointF, 3>{path.top, path.bridge, path.tail}.data(), 3);
    };
    for (int string = 1; string <= 5; ++string) {
        if (string == tunedString) {
            continue;
        }
        // Wound strings (the fourth) read a little heavier.
        const double width = g.w * (string == 4 ? 0.011 : 0.008);
        stroke(paths[static_cast<std::size_t>(string - 1)],
               QPen(kString, std::max(0.8, width), Qt::SolidLine, Qt::RoundCap));
    }
    if (tunedString < 1 || tunedString > 5) {
        return;
    }
    const StringPath& lit = paths[static_cast<std::size_t>(tunedString - 1)];
    QColor glow = kInTune;
    glow.setAlphaF(0.28f);
    stroke(lit, QPen(glow, g.w * 0.06, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    glow.setAlphaF(0.55f);
    stroke(lit, QPen(glow, g.w * 0.03, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    stroke(lit, QPen(kInTune.lighter(130), std::max(1.2, g.w * 0.014), Qt::SolidLine, Qt::RoundCap,
                     Qt::RoundJoin));

    // A marker with the string's number, riding on the lit string over the head.
    const double markerY = (g.neckEnd + g.bridgeY) / 2 - g.radius * 0.05;
    const double t = (markerY - lit.top.y()) / (lit.bridge.y() - lit.top.y());
    const QPointF marker(lit.top.x() + (lit.bridge.x() - lit.top.x()) * t, markerY);
    const double radius = g.w * 0.075;
    QRadialGradient badge(marker + QPointF(-radius * 0.3, -radius * 0.3), radius * 1.3);
    badge.setColorAt(0.0, kInTune.lighter(125));
    badge.setColorAt(1.0, kInTuneDeep);
    p.setPen(QPen(QColor(255, 255, 255, 230), std::max(1.0, g.w * 0.010)));
    p.setBrush(badge);
    p.drawEllipse(marker, radius, radius);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(static_cast<int>(radius * 1.25));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(marker.x() - radius, marker.y() - radius, radius * 2, radius * 2),
               Qt::AlignCenter, QString::number(tunedString));
}

}  // namespace

void paintBanjo(QPainter& p, int width, int height, int tunedString) {
    const Geometry g = geometryFor(width, height);
    paintHead(p, g);
    paintNeck(p, g);
    paintBridgeAndTail(p, g);
    paintStrings(p, g, tunedString);
}

QImage paintBanjo(int width, int height, int tunedString) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintBanjo(p, width, height, tunedString);
    return image;
}

}  // namespace strumwise::artwork
