#include "platform/desktop/qt_device.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSysInfo>

namespace strumwise::platform::desktop {

std::string QtDevice::systemVersion() const {
    // The distribution's version ("12" on Debian 12). Rolling distributions have none and Qt
    // answers "unknown"; the kernel's version then stands in, so that the version still reads
    // as a number and nothing is switched off as if the system were ancient.
    const QString product = QSysInfo::productVersion();
    if (!product.isEmpty() && product.front().isDigit()) {
        return product.toStdString();
    }
    return QSysInfo::kernelVersion().toStdString();
}

ScreenProfile desktopDefaultProfile() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int available = screen != nullptr ? screen->availableGeometry().height() : 0;
    return defaultPhoneProfile(available);
}

}  // namespace strumwise::platform::desktop
