#include "adapters/desktop/views/qt_about_page.h"

#include <utility>

#include "adapters/desktop/views/qt_about_version.h"

namespace strumwise::platform::desktop {

QtAudioSettingsPanel* addAboutPageControls(QWidget& root, AudioSettings settings) {
    addVersionToAboutPage(root);
    return QtAudioSettingsPanel::addToAboutArea(root, std::move(settings));
}

}  // namespace strumwise::platform::desktop
