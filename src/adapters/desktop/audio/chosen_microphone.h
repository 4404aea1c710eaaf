#pragma once

#include <optional>
#include <string>
#include <vector>

#include "adapters/desktop/audio/audio_devices.h"

namespace strumwise::platform::desktop {

// The microphone the player chose, followed as the sound server's devices come and go: when it
// is unplugged the tuner listens to the server's default input meanwhile, and when it is plugged
// in again the tuner listens to it again, whatever number the server gives it then. Knows only
// the lists it is shown; the caller acts on the changes it answers.
class ChosenMicrophone {
  public:
    enum class Change { None, Gone, Back };

    // Nothing chosen follows nothing: the default is always there.
    explicit ChosenMicrophone(std::optional<AudioDeviceDescription> chosen = std::nullopt)
        : chosen_(std::move(chosen)) {}

    // The player chose anew, from a list in which the device is present.
    void choose(std::optional<AudioDeviceDescription> chosen);
    // What the server's devices as listed now mean for the capture.
    Change update(const std::vector<AudioDeviceDescription>& devices);

    const std::optional<AudioDeviceDescription>& chosen() const { return chosen_; }
    bool gone() const { return gone_; }
    // What the server's default input was called in the last list; empty when it had none.
    const std::string& heard() const { return heard_; }

  private:
    std::optional<AudioDeviceDescription> chosen_;
    bool gone_ = false;
    std::string heard_;
};

}  // namespace strumwise::platform::desktop
