#include "icon_painter.h"

#include <QPainter>
#include <QPainterPath>

#include "banjo_painter.h"
#include "lamp_painter.h"
#include "palette.h"

namespace strumwise::artwork {

QImage paintIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const double s = size;

    // A dark, warm tile with a brass edge.
    QLinearGradient tile(0, 0, 0, s);
    tile.setColorAt(0.0, kStageLight.lighter(130));
    tile.setColorAt(1.0, kStage);
    p.setPen(QPen(kBrass, s * 0.02));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92), s * 0.2, s * 0.2);

    // The banjo, leaning, its third string lit.
    const QImage banjo = paintBanjo(static_cast<int>(s * 0.56), static_cast<int>(s * 0.84), 3);
    p.save();
    p.translate(s * 0.47, s * 0.52);
    p.rotate(-28);
    p.drawImage(QPointF(-banjo.width() / 2.0, -banjo.height() / 2.0), banjo);
    p.restore();

    // The in-tune lamp in the corner.
    const QImage lamp = paintLamp(static_cast<int>(s * 0.30), kInTune, kInTuneDeep);
    p.drawImage(QPointF(s * 0.64, s * 0.08), lamp);
    return image;
}

}  // namespace strumwise::artwork
