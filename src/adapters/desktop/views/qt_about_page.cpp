#include "adapters/desktop/views/qt_about_page.h"

#include <utility>

#include "adapters/desktop/audio/audio_devices.h"
#include "adapters/desktop/views/qt_about_version.h"
#include "adapters/desktop/views/qt_device_list_refresh.h"

namespace strumwise::platform::desktop {

void addAboutPageControls(QWidget& root, AudioSettings settings) {
    addVersionToAboutPage(root);
    if (auto* panel = QtAudioSettingsPanel::addToAboutArea(root, std::move(settings))) {
        // The panel owns it; it lists the devices again as they come and go.
        new QtDeviceListRefresh(*panel, &listSoundServerDevices);
    }
}

}  // namespace strumwise::platform::desktop
