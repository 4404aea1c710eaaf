#include "adapters/desktop/views/qt_device_list_refresh.h"

#include <QEvent>
#include <QWidget>

#include "adapters/desktop/audio/sound_server_watch.h"

namespace strumwise::platform::desktop {
namespace {

// How soon a server that started, or came back, is watched: the watch of one that was not there
// has ended, and only a new one sees it.
constexpr int kRewatchMs = 2000;

}  // namespace

QtDeviceListRefresh::QtDeviceListRefresh(std::function<AudioDeviceList()> list, Listed listed)
    : list_(std::move(list)), listed_(std::move(listed)) {
    thread_.setMaxThreadCount(1);
    watch();
    rewatch_.setInterval(kRewatchMs);
    QObject::connect(&rewatch_, &QTimer::timeout, this, [this] {
        if (watch_->ended()) {
            watch();
            refresh();  // what the server has now may differ from what it had
        }
    });
    rewatch_.start();
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

void QtDeviceListRefresh::refreshWhenShown(QWidget& widget) {
    widget.installEventFilter(this);
}

bool QtDeviceListRefresh::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        if (watch_->ended()) {
            watch();
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
        listed_(list.devices);
    }
    if (again_) {
        again_ = false;
        refresh();
    }
}

}  // namespace strumwise::platform::desktop
