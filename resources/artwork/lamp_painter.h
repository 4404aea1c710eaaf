#pragma once

#include <QColor>
#include <QImage>

class QPainter;

namespace strumwise::artwork {

// A round status lamp in a brass bezel, lit in `light` (with `deep` for its rim), `size` pixels
// square on a transparent ground.
QImage paintLamp(int size, const QColor& light, const QColor& deep);

// The same lamp drawn with `p` into the `size` square at its origin.
void paintLamp(QPainter& p, double size, const QColor& light, const QColor& deep);

}  // namespace strumwise::artwork
