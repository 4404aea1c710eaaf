#pragma once

#include <QImage>

class QPainter;

namespace strumwise::artwork {

// The application icon: a banjo head and neck on a rounded dark tile with the in-tune lamp.
QImage paintIcon(int size);

// The same picture for launchers that cut their own shape out of it (a circle, a squircle): the
// stage fills the whole square and the banjo and lamp stay inside the middle four fifths, the
// part every such shape keeps.
QImage paintMaskableIcon(int size);

// The same icon drawn with `p` into the `size` square at its origin: shapes, no pictures, so a
// vector device such as an SVG file keeps it sharp at any size.
void paintIcon(QPainter& p, int size);

}  // namespace strumwise::artwork
