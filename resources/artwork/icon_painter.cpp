#include "icon_painter.h"

#include <QPainter>
#include <QPainterPath>

#include "banjo_painter.h"
#include "lamp_painter.h"
#include "palette.h"

namespace strumwise::artwork {

void paintIcon(QPainter& p, int size) {
    const double s = size;

    // A dark, warm tile with a brass edge.
    QLinearGradient tile(0, 0, 0, s);
    tile.setColorAt(0.0, kStageLight.lighter(130));
    tile.setColorAt(1.0, kStage);
    p.setPen(QPen(kBrass, s * 0.02));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92), s * 0.2, s * 0.2);

    // The banjo, leaning, its third string lit. Its box is clipped as its own picture would be.
    const int banjoWidth = static_cast<int>(s * 0.56);
    const int banjoHeight = static_cast<int>(s * 0.84);
    p.save();
    p.translate(s * 0.47, s * 0.52);
    p.rotate(-28);
    p.translate(-banjoWidth / 2.0, -banjoHeight / 2.0);
    p.setClipRect(QRectF(0, 0, banjoWidth, banjoHeight));
    paintBanjo(p, banjoWidth, banjoHeight, 3);
    p.restore();

    // The in-tune lamp in the corner.
    p.save();
    p.translate(s * 0.64, s * 0.08);
    paintLamp(p, static_cast<int>(s * 0.30), kInTune, kInTuneDeep);
    p.restore();
}

QImage paintIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintIcon(p, size);
    return image;
}

}  // namespace strumwise::artwork
