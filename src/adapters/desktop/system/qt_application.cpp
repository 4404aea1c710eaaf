#include "adapters/desktop/system/qt_application.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "adapters/desktop/views/qt_notice.h"

namespace strumwise::platform::desktop {
namespace {

constexpr std::string_view kStoreScheme = "itms-apps:";
const char* const kService = "org.freedesktop.ScreenSaver";
const char* const kPath = "/org/freedesktop/ScreenSaver";

// Whether the session names a bus. Without one, asking for the session bus can make the D-Bus
// library launch a bus of its own that outlives us; a tuner has no business doing that.
bool sessionBusNamed() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        return true;
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

}  // namespace

QtApplication::~QtApplication() {
    // The session drops an inhibition when our connection closes; releasing it is still polite.
    if (inhibitCookie_) {
        setIdleTimerDisabled(false);
    }
}

void QtApplication::setIdleTimerDisabled(bool disabled) {
    if (disabled == inhibitCookie_.has_value()) {
        return;
    }
    if (!sessionBusNamed() || !QDBusConnection::sessionBus().isConnected()) {
        if (!reportedUnavailable_) {
            log_.write("The screen saver cannot be kept away: there is no session bus");
            reportedUnavailable_ = true;
        }
        return;
    }
    QDBusInterface saver(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                         QString::fromLatin1(kService), QDBusConnection::sessionBus());
    saver.setTimeout(2000);
    if (!disabled) {
        saver.call(QStringLiteral("UnInhibit"), *inhibitCookie_);
        inhibitCookie_.reset();
        return;
    }
    const QDBusReply<std::uint32_t> reply = saver.call(
        QStringLiteral("Inhibit"), QStringLiteral("Strumwise"), QStringLiteral("Tuning"));
    if (reply.isValid()) {
        inhibitCookie_ = reply.value();
    } else if (!reportedUnavailable_) {
        log_.write("The screen saver cannot be kept away: " +
                   reply.error().message().toStdString());
        reportedUnavailable_ = true;
    }
}

void QtApplication::openURL(std::string_view url) {
    const std::string address = desktopAddressFor(url);
    const QString text = QString::fromStdString(address);
    if (QDesktopServices::openUrl(QUrl(text))) {
        return;
    }
    // A desktop without a browser or URL opener: the button must not seem to do nothing.
    log_.write("Could not open " + address + ": the desktop has no application for it");
    showNotice(QCoreApplication::translate("Localizable", "Could not open %1").arg(text));
}

std::string desktopAddressFor(std::string_view url) {
    if (url.substr(0, kStoreScheme.size()) == kStoreScheme) {
        return "https:" + std::string(url.substr(kStoreScheme.size()));
    }
    return std::string(url);
}

}  // namespace strumwise::platform::desktop
