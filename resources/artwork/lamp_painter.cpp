#include "lamp_painter.h"

#include <QPainter>
#include <QRadialGradient>

#include "palette.h"

namespace strumwise::artwork {

void paintLamp(QPainter& p, double size, const QColor& light, const QColor& deep) {
    const double s = size;
    const QPointF centre(s / 2, s / 2);

    // A soft halo of the lamp's own light around the bezel.
    QRadialGradient halo(centre, s / 2);
    QColor haloInner = light;
    haloInner.setAlphaF(0.35f);
    QColor haloOuter = light;
    haloOuter.setAlphaF(0.0f);
    halo.setColorAt(0.62, haloInner);
    halo.setColorAt(1.0, haloOuter);
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(centre, s / 2, s / 2);

    // The brass bezel, lit from above.
    const double bezel = s * 0.40;
    QLinearGradient metal(0, centre.y() - bezel, 0, centre.y() + bezel);
    metal.setColorAt(0.0, kBrass.lighter(135));
    metal.setColorAt(0.5, kBrass);
    metal.setColorAt(1.0, kBrassDark);
    p.setBrush(metal);
    p.drawEllipse(centre, bezel, bezel);

    // The glass dome: bright in the middle, deeper towards its edge.
    const double dome = s * 0.33;
    QRadialGradient glass(centre + QPointF(0, -dome * 0.15), dome * 1.1,
                          centre + QPointF(-dome * 0.2, -dome * 0.35));
    glass.setColorAt(0.0, light.lighter(160));
    glass.setColorAt(0.45, light);
    glass.setColorAt(1.0, deep);
    p.setBrush(glass);
    p.setPen(QPen(deep.darker(160), std::max(1.0, s * 0.012)));
    p.drawEllipse(centre, dome, dome);

    // A highlight on the glass.
    QRadialGradient shine(centre + QPointF(-dome * 0.28, -dome * 0.42), dome * 0.55);
    shine.setColorAt(0.0, QColor(255, 255, 255, 200));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(centre + QPointF(-dome * 0.28, -dome * 0.42), dome * 0.5, dome * 0.38);
}

QImage paintLamp(int size, const QColor& light, const QColor& deep) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintLamp(p, size, light, deep);
    return image;
}

}  // namespace strumwise::artwork
