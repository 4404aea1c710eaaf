#pragma once

#include "adapters/desktop/views/qt_audio_settings.h"

class QWidget;

namespace strumwise::platform::desktop {

// Adds the desktop's own controls to a main-screen layout's about texts (the phones' About page,
// the pads' about panel): the version under the product name, and the sound settings, which the
// caller keeps current with showDevices. Answers the settings panel; a layout without about
// texts gets neither, and nullptr. Main thread only.
QtAudioSettingsPanel* addAboutPageControls(QWidget& root, AudioSettings settings);

}  // namespace strumwise::platform::desktop
