#pragma once

#include <QFrame>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "adapters/desktop/audio/audio_devices.h"

class QComboBox;

namespace strumwise::platform::desktop {

// What the About page's sound settings show and whom they tell about a change.
struct AudioSettings {
    // The devices to offer; with none, each choice offers only the system default.
    std::vector<AudioDeviceDescription> devices;
    // The devices the player chose; empty: the default. One that is not among `devices` is
    // offered as the choice still, marked as unplugged.
    std::optional<AudioDeviceDescription> inputDevice;
    std::optional<AudioDeviceDescription> outputDevice;
    // The tuner listens to a sound file, not to a device: the microphone cannot be chosen.
    bool inputIsFile = false;
    // The reference tones' volume, dBFS of their peaks.
    double volumeDb = 0.0;

    std::function<void(double volumeDb)> volumeChanged;
    // The chosen device; empty: the system default.
    std::function<void(const std::optional<AudioDeviceDescription>& device)> inputChosen;
    std::function<void(const std::optional<AudioDeviceDescription>& device)> outputChosen;
};

// The sound settings on the About page: the reference tones' volume, and the microphone and the
// speakers the tuner uses. Main thread only.
class QtAudioSettingsPanel final : public QFrame {
  public:
    QtAudioSettingsPanel(AudioSettings settings, QWidget* parent);

    // Adds the panel below the about texts of a main-screen layout (the phones' About page,
    // the pads' about panel), which then scrolls when taller than its room; nullptr when the
    // layout has no about texts.
    static QtAudioSettingsPanel* addToAboutArea(QWidget& root, AudioSettings settings);

    // Offers `devices` from now on, the chosen ones still chosen, and marked as unplugged while
    // they are not among them; the same list again changes nothing.
    void showDevices(std::vector<AudioDeviceDescription> devices);

  private:
    QComboBox* deviceChoice(bool input);
    void fillChoice(QComboBox& choice, bool input);

    AudioSettings settings_;
};

}  // namespace strumwise::platform::desktop
