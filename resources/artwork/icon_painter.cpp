#include "icon_painter.h"

#include <QPainter>
#include <QPainterPath>

#include "banjo_painter.h"
#include "lamp_painter.h"
#include "palette.h"

namespace strumwise::artwork {

namespace {

QLinearGradient stageGradient(double height) {
    QLinearGradient tile(0, 0, 0, height);
    tile.setColorAt(0.0, kStageLight.lighter(130));
    tile.setColorAt(1.0, kStage);
    return tile;
}

// The banjo, leaning, its third string lit, and the in-tune lamp in its corner, drawn as shapes
// in a square of side `s` whose top left corner is the painter's origin.
void paintEmblem(QPainter& p, double s) {
    // The banjo's box is clipped as its own picture would be.
    const int banjoWidth = static_cast<int>(s * 0.56);
    const int banjoHeight = static_cast<int>(s * 0.84);
    p.save();
    p.translate(s * 0.47, s * 0.52);
    p.rotate(-28);
    p.translate(-banjoWidth / 2.0, -banjoHeight / 2.0);
    p.setClipRect(QRectF(0, 0, banjoWidth, banjoHeight));
    paintBanjo(p, banjoWidth, banjoHeight, 3);
    p.restore();

    p.save();
    p.translate(s * 0.64, s * 0.08);
    paintLamp(p, static_cast<int>(s * 0.30), kInTune, kInTuneDeep);
    p.restore();
}

QImage blankSquare(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

}  // namespace

void paintIcon(QPainter& p, int size) {
    const double s = size;
    // A dark, warm tile with a brass edge.
    p.setPen(QPen(kBrass, s * 0.02));
    p.setBrush(stageGradient(s));
    p.drawRoundedRect(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92), s * 0.2, s * 0.2);
    paintEmblem(p, s);
}

QImage paintIcon(int size) {
    QImage image = blankSquare(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintIcon(p, size);
    return image;
}

QImage paintMaskableIcon(int size) {
    QImage image = blankSquare(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double s = size;
    p.fillRect(QRectF(0, 0, s, s), stageGradient(s));
    // Every point the banjo and the lamp cover lies within half a side of the emblem's middle,
    // so at 0.66 of the side they stay inside the safe circle, whose diameter is 0.8 of it.
    const double inner = s * 0.66;
    p.translate((s - inner) / 2, (s - inner) / 2);
    paintEmblem(p, inner);
    return image;
}

}  // namespace strumwise::artwork
