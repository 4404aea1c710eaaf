#pragma once

#include <QImage>

class QPainter;

namespace strumwise::artwork {

// The banjo seen from the front, head at the bottom and neck rising out of the picture, with
// its five strings; string `tunedString` (1..5, numbered as the tuner numbers them) is lit in
// the in-tune green and marked with its number. `width` x `height` pixels, transparent ground.
QImage paintBanjo(int width, int height, int tunedString);

// The same banjo drawn with `p` into the `width` x `height` box at its origin, so that a vector
// device (the scalable icon) keeps it as shapes.
void paintBanjo(QPainter& p, int width, int height, int tunedString);

}  // namespace strumwise::artwork
