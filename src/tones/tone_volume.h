#pragma once

#include "platform/user_defaults.h"

namespace strumwise::tones {

// The player's volume for the reference tones on the desktop, as the level of the tone's peaks
// in dBFS. The oscillator's own peak (kToneCeiling) is -0.85 dBFS, loud next to a plucked
// string; the default sits well below it.
inline constexpr double kDefaultToneVolumeDb = -12.0;
inline constexpr double kMinToneVolumeDb = -40.0;
inline constexpr double kMaxToneVolumeDb = -1.0;

// The gain (0..1) that puts the tone's peaks at `peakDb` dBFS, within the range above.
float toneGainForVolume(double peakDb);

// The volume kept in the user defaults, within the range; the default when none is kept (an
// absent key reads 0.0, which is above the range and so never a stored volume).
double storedToneVolume(const platform::UserDefaults& defaults);
void storeToneVolume(platform::UserDefaults& defaults, double peakDb);

}  // namespace strumwise::tones
