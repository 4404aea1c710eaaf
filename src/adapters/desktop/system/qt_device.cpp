#include "adapters/desktop/system/qt_device.h"

#include <QGuiApplication>
#include <QScreen>

namespace strumwise::platform::desktop {

std::string QtDevice::systemVersion() const {
    return kCurrentSystemVersion;
}

ScreenProfile desktopDefaultProfile() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int available = screen != nullptr ? screen->availableGeometry().height() : 0;
    return defaultPhoneProfile(available);
}

}  // namespace strumwise::platform::desktop
