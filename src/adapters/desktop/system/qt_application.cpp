#include "adapters/desktop/system/qt_application.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "adapters/desktop/views/qt_notice.h"
#include "rating/store_config.h"

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
    if (!url.starts_with(kStoreScheme)) {
        return std::string(url);
    }
    // The store addresses the tuner opens are review addresses, which name the application by
    // its number, as a path's "id123" or a query's "id=123"; over https their older forms send
    // the browser straight back to the store's own scheme. The store's web page for writing a
    // review is what a browser opens.
    const std::size_t query = url.find('?');
    for (const std::string_view before :
         {std::string_view("/id"), std::string_view("?id="), std::string_view("&id=")}) {
        const std::size_t at = url.find(before);
        const std::size_t digits = at == std::string_view::npos ? at : at + before.size();
        const std::size_t end = url.find_first_not_of("0123456789", digits);
        if (at != std::string_view::npos && end != digits && (before != "/id" || at < query)) {
            std::string page("https://");
            page.append(rating::kStoreHost).append("/app/id");
            page.append(url.substr(digits, end - digits)).append("?action=write-review");
            return page;
        }
    }
    return "https:" + std::string(url.substr(kStoreScheme.size()));
}

}  // namespace strumwise::platform::desktop
