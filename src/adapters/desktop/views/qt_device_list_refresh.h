#pragma once

#include <QObject>
#include <QThreadPool>
#include <functional>
#include <memory>

#include "adapters/desktop/audio/audio_devices.h"

namespace strumwise::platform::desktop {

class QtAudioSettingsPanel;
class SoundServerWatch;

// Keeps the About page's device choices current, so that a USB microphone plugged in after the
// window opened can be chosen: the devices are listed again each time the settings come into
// view, and whenever the sound server says a device came or went. Listing waits on the server,
// so it runs on a thread of its own, never on the main thread or an audio thread; a list that
// could not be read leaves the choices as they were. Main thread only; the panel owns it.
class QtDeviceListRefresh final : public QObject {
  public:
    // `list` runs on the refresh's own thread.
    QtDeviceListRefresh(QtAudioSettingsPanel& panel, std::function<AudioDeviceList()> list);
    ~QtDeviceListRefresh() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void watch();
    void refresh();
    void listed(const AudioDeviceList& list);

    QtAudioSettingsPanel& panel_;
    const std::function<AudioDeviceList()> list_;
    QThreadPool thread_;
    bool listing_ = false;
    bool again_ = false;
    std::unique_ptr<SoundServerWatch> watch_;
};

}  // namespace strumwise::platform::desktop
