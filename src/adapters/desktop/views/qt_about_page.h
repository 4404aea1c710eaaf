#pragma once

#include "adapters/desktop/views/qt_audio_settings.h"

class QWidget;

namespace strumwise::platform::desktop {

// Adds the desktop's own controls to a main-screen layout's about texts (the phones' About page,
// the pads' about panel): the version under the product name, and the sound settings, whose
// device choices follow the sound server's devices as they come and go. A layout without about
// texts gets neither. Main thread only.
void addAboutPageControls(QWidget& root, AudioSettings settings);

}  // namespace strumwise::platform::desktop
