#include "tones/tone_volume.h"

#include <algorithm>
#include <cmath>

#include "base/settings_keys.h"
#include "tones/oscillator.h"

namespace strumwise::tones {
namespace {

double clampVolume(double peakDb) {
    return std::clamp(peakDb, kMinToneVolumeDb, kMaxToneVolumeDb);
}

}  // namespace

float toneGainForVolume(double peakDb) {
    const double peak = 32767.0 * std::pow(10.0, clampVolume(peakDb) / 20.0);
    return static_cast<float>(std::min(1.0, peak / kToneCeiling));
}

double storedToneVolume(const platform::UserDefaults& defaults) {
    const double stored = defaults.doubleForKey(settings::kToneVolumeKey);
    if (!std::isfinite(stored) || stored > kMaxToneVolumeDb) {
        return kDefaultToneVolumeDb;
    }
    return clampVolume(stored);
}

void storeToneVolume(platform::UserDefaults& defaults, double peakDb) {
    defaults.setDouble(clampVolume(peakDb), settings::kToneVolumeKey);
}

}  // namespace strumwise::tones
