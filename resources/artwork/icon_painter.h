#pragma once

#include <QImage>

namespace strumwise::artwork {

// The application icon: a banjo head and neck on a rounded dark tile with the in-tune lamp.
QImage paintIcon(int size);

}  // namespace strumwise::artwork
