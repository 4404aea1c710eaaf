#include "adapters/desktop/views/qt_device_list_refresh.h"

#include <QEvent>

#include "adapters/desktop/audio/sound_server_watch.h"
#include "adapters/desktop/views/qt_audio_settings.h"

namespace strumwise::platform::desktop {

QtDeviceListRefresh::QtDeviceListRefresh(QtAudioSettingsPanel& panel,
                                         std::function<AudioDeviceList()> list)
    : QObject(&panel), panel_(panel), list_(std::move(list)) {
    thread_.setMaxThreadCount(1);
    panel.installEventFilter(this);
    watch();
}

void QtDeviceListRefresh::watch() {
    // The server's events arrive on its client library's thread; the refresh runs here.
    watch_.reset();
    watch_ = std::make_unique<SoundServerWatch>([this] {
        QMetaObject::invokeMethod(
            this, [this] { refresh(); }, Qt::QueuedConnection);
    });
}

QtDeviceListRefresh::~QtDeviceListRefresh() {
    // No event is posted to this object once the watch has gone, and no listing runs once the
    // thread is done; what either posted is dropped with the object.
    watch_.reset();
    thread_.waitForDone();
}

bool QtDeviceListRefresh::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &panel_ && event->type() == QEvent::Show) {
        if (watch_->ended()) {
            watch();  // a server that started, or came back, since
        }
        refresh();
    }
    return QObject::eventFilter(watched, event);
}

void QtDeviceListRefresh::refresh() {
    if (listing_) {
        again_ = true;  // a device that came during this listing may be missing from it
        return;
    }
    listing_ = true;
    thread_.start([this] {
        const AudioDeviceList list = list_();
        QMetaObject::invokeMethod(
            this, [this, list] { listed(list); }, Qt::QueuedConnection);
    });
}

void QtDeviceListRefresh::listed(const AudioDeviceList& list) {
    listing_ = false;
    if (list.error.empty()) {
        panel_.showDevices(list.devices);
    }
    if (again_) {
        again_ = false;
        refresh();
    }
}

}  // namespace strumwise::platform::desktop
