#pragma once

#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "adapters/desktop/audio/audio_devices.h"

class QWidget;

namespace strumwise::platform::desktop {

class SoundServerWatch;

// Keeps what the window knows of the sound server's devices current, so that a USB microphone
// plugged in after the window opened can be chosen and a chosen one unplugged is noticed: the
// devices are listed again whenever the server says a device came, went or changed, and when
// asked (as when the About page's settings come into view). Listing waits on the server, so it
// runs on a thread of its own, never on the main thread or an audio thread; a list that could
// not be read is not passed on. A server that starts, or comes back, is watched within 2 s.
// Main thread only.
class QtDeviceListRefresh final : public QObject {
  public:
    using Listed = std::function<void(const std::vector<AudioDeviceDescription>& devices)>;

    // `list` runs on the refresh's own thread; `listed` runs here, with every list read.
    QtDeviceListRefresh(std::function<AudioDeviceList()> list, Listed listed);
    ~QtDeviceListRefresh() override;

    // Lists the devices again now.
    void refresh();
    // And each time `widget` comes into view.
    void refreshWhenShown(QWidget& widget);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void watch();
    void listed(const AudioDeviceList& list);

    const std::function<AudioDeviceList()> list_;
    const Listed listed_;
    QThreadPool thread_;
    QTimer rewatch_;
    bool listing_ = false;
    bool again_ = false;
    std::unique_ptr<SoundServerWatch> watch_;
};

}  // namespace strumwise::platform::desktop
